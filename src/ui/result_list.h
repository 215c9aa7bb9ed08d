#pragma once
// 列表框1: an unsorted list with extended selection that holds millions of
// items. Texts live in one arena; appended items reach the view in batches (at
// the next pump or idle moment), while count and texts are right at once.
#include <QAbstractListModel>
#include <QTableView>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "ui/bound_control.h"
#include "ui/menu_clicks.h"

namespace ui {

class ResultListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    int Count() const { return static_cast<int>(spans_.size()); }
    prim::Text Text(int i) const;
    int Append(std::string_view text);
    void Remove(int i);
    void RemoveAll();
    // Tells the view about every item appended since the last flush.
    void Flush();
    bool Pending() const { return shown_ != Count(); }

  private:
    void ReleaseBlocks();

    static constexpr std::size_t kBlockSize = 1 << 20;
    struct Span {
        std::uint32_t block;
        std::uint32_t offset;
        std::uint32_t length;
    };
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t blockUsed_ = 0;
    std::size_t blockSize_ = 0;
    std::deque<Span> spans_;  // a deque grows without copying what it holds
    int shown_ = 0;           // rows the view knows about
};

// A one-column table view without headers or grid: unlike QListView, which lays
// out every row again whenever rows are added, it takes a million rows in
// batches at a cost that follows the batch.
class ResultListView : public MenuClicks<Bound<QTableView, app::ListBox>> {
    Q_OBJECT
  public:
    explicit ResultListView(QWidget* parent);
    int ItemCount() const override { return model_->Count(); }
    app::Text ItemText(int index) const override;
    int AddItem(const app::Text& text) override;
    bool DeleteItem(int index) override;
    void Clear() override;
    bool SelectItem(int index, bool selected) override;
    std::vector<int> SelectedIndexes() const override;
    // Brings the view up to date: appended rows and queued selection changes.
    void Flush();
    // The same for the pump during a search: at once while the view has room
    // for more rows, otherwise a few times a second.
    void FlushWhenDue();

  signals:
    void itemSelected();
    void rightButtonReleased();
    void itemDoubleClicked();

  protected:
    void MenuRequested() override { emit rightButtonReleased(); }
    void ItemDoubleClicked() override { emit itemDoubleClicked(); }

  private:
    void ApplyQueuedSelection();

    static constexpr auto kFullViewFlushInterval = std::chrono::milliseconds(250);
    ResultListModel* model_;
    QTimer flushTimer_;
    std::chrono::steady_clock::time_point lastFlush_;
    // Selection writes are queued and applied as runs, so selecting every item of
    // a long list is one range instead of a million.
    std::vector<std::pair<int, bool>> queuedSelection_;
    int programmatic_ = 0;  // selection changes made by the handlers raise no event
};

}  // namespace ui
