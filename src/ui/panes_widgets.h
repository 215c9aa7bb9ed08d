#pragma once
// The three browsing panes: drive box, directory tree and file box.
#include <QComboBox>
#include <QListWidget>
#include <QTreeWidget>

#include "ui/bound_control.h"
#include "ui/menu_clicks.h"

namespace ui {

class DriveBoxWidget : public Bound<QComboBox, app::DriveBox> {
    Q_OBJECT
  public:
    explicit DriveBoxWidget(QWidget* parent);
    app::Text DriveLetter() const override;
    void SetDriveLetter(const app::Text& letter) override;

  signals:
    void driveChanged();
};

class DirectoryBoxWidget : public Bound<QTreeWidget, app::DirectoryBox> {
    Q_OBJECT
  public:
    explicit DirectoryBoxWidget(QWidget* parent);
    app::Text Directory() const override { return directory_; }
    void SetDirectory(const app::Text& path) override;

  signals:
    void directoryChanged();

  protected:
    void keyPressEvent(QKeyEvent* e) override;

  private:
    void Activate(QTreeWidgetItem* item);
    void ListSubdirectories(QTreeWidgetItem* under, const app::Text& path);
    app::Text directory_;
};

class FileBoxWidget : public MenuClicks<Bound<QListWidget, app::FileBox>> {
    Q_OBJECT
  public:
    explicit FileBoxWidget(QWidget* parent);
    app::Text Directory() const override { return directory_; }
    void SetDirectory(const app::Text& path) override;
    app::Text SelectedNames() const override { return selectedNames_; }

  signals:
    void selectionChangedByUser();
    void itemDoubleClicked();
    void rightButtonReleased();

  protected:
    void MenuRequested() override { emit rightButtonReleased(); }
    void ItemDoubleClicked() override { emit itemDoubleClicked(); }

  private:
    void RebuildSelectedNames();
    app::Text directory_;
    app::Text selectedNames_;
    int programmatic_ = 0;
};

}  // namespace ui
