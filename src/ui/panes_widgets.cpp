#include "ui/panes_widgets.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QStyle>
#include <algorithm>

#include "primitives/drives.h"
#include "primitives/files.h"
#include "primitives/listing.h"
#include "ui/qt_text.h"

namespace ui {

namespace {

constexpr int kTextRole = Qt::UserRole + 1;

prim::Text ItemText(const QListWidgetItem* item) {
    QByteArray b = item->data(kTextRole).toByteArray();
    return prim::Text(b.constData(), static_cast<size_t>(b.size()));
}
prim::Text ItemText(const QTreeWidgetItem* item) {
    QByteArray b = item->data(0, kTextRole).toByteArray();
    return prim::Text(b.constData(), static_cast<size_t>(b.size()));
}
QByteArray Bytes(const prim::Text& t) {
    return QByteArray(t.data(), static_cast<qsizetype>(t.size()));
}

// Names in the order a person expects: letter case ignored, then exact bytes.
void SortByName(std::vector<prim::Text>& names) {
    std::sort(names.begin(), names.end(), [](const prim::Text& a, const prim::Text& b) {
        int c = prim::CompareText(a, b, false);
        return c != 0 ? c < 0 : a < b;
    });
}

prim::Text ListingPattern(const prim::Text& folder) {
    prim::Text p = folder;
    if (prim::TextRight(p, 1) != "\\")
        p += '\\';
    return p + "*.*";
}

const char* TypeNote(prim::DriveType type) {
    switch (type) {
        case prim::DriveType::Fixed:
            return " （硬盘）";
        case prim::DriveType::Network:
            return " （网络驱动器）";
        case prim::DriveType::CdRom:
            return " （光驱）";
        case prim::DriveType::RamDisk:
            return " （内存虚拟驱动器）";
        case prim::DriveType::Other:
            return "";
    }
    return "";
}

}  // namespace

DriveBoxWidget::DriveBoxWidget(QWidget* parent) : Bound(parent) {
    setEditable(false);
    for (const prim::DriveInfo& d : prim::Drives()) {
        prim::Text item =
            prim::ConcatText({prim::Text(1, d.letter), ":", prim::U8(TypeNote(d.type))});
        if (d.type == prim::DriveType::Fixed && !d.label.empty())
            item = prim::ConcatText({item, " ", d.label});
        addItem(ToQ(item), QChar(d.letter));
    }
    view()->setMinimumHeight(80);
    SetDriveLetter(prim::Text(1, prim::CurrentDriveLetter()));
    connect(this, &QComboBox::activated, this, [this](int) { emit driveChanged(); });
}

app::Text DriveBoxWidget::DriveLetter() const {
    if (currentIndex() < 0)
        return prim::Text(1, prim::CurrentDriveLetter());
    return prim::Text(1, static_cast<char>(currentData().toChar().toLatin1()));
}

void DriveBoxWidget::SetDriveLetter(const app::Text& letter) {
    QSignalBlocker block(this);
    char c = letter.empty()
                 ? '\0'
                 : static_cast<char>(std::toupper(static_cast<unsigned char>(letter[0])));
    setCurrentIndex(findData(QChar(c)));
}

DirectoryBoxWidget::DirectoryBoxWidget(QWidget* parent) : Bound(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setExpandsOnDoubleClick(false);
    setRootIsDecorated(true);
    setIndentation(12);
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item, int) { Activate(item); });
}

void DirectoryBoxWidget::SetDirectory(const app::Text& path) {
    directory_ = path;
    clear();
    if (directory_.empty())
        directory_ = prim::CurrentDirectory();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    QTreeWidgetItem* last = nullptr;
    for (const prim::Text& part : prim::SplitText(directory_, "\\")) {
        if (part.empty())
            continue;
        auto* item = last ? new QTreeWidgetItem(last) : new QTreeWidgetItem(this);
        item->setText(0, ToQ(part));
        item->setData(0, kTextRole, Bytes(part));
        item->setIcon(0, open);
        if (last)
            last->setExpanded(true);
        last = item;
    }
    if (!last)
        return;
    setCurrentItem(last);
    ListSubdirectories(last, directory_);
}

void DirectoryBoxWidget::ListSubdirectories(QTreeWidgetItem* under, const app::Text& path) {
    std::vector<prim::Text> names;
    if (auto listing = prim::StartListing(ListingPattern(path))) {
        prim::ListedEntry e;
        while (listing->Next(e, prim::kAttrDirectory))
            if ((e.attributes & prim::kAttrDirectory) && e.name != "." && e.name != "..")
                names.push_back(e.name);
    }
    SortByName(names);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (const prim::Text& n : names) {
        auto* item = new QTreeWidgetItem(under);
        item->setText(0, ToQ(n));
        item->setData(0, kTextRole, Bytes(n));
        item->setIcon(0, closed);
    }
    under->setExpanded(true);
}

void DirectoryBoxWidget::Activate(QTreeWidgetItem* item) {
    if (!item)
        return;
    // The chosen item's siblings and former children go; the chain above stays.
    if (QTreeWidgetItem* parent = item->parent()) {
        for (int i = parent->childCount() - 1; i >= 0; --i)
            if (parent->child(i) != item)
                delete parent->takeChild(i);
    } else {
        for (int i = topLevelItemCount() - 1; i >= 0; --i)
            if (topLevelItem(i) != item)
                delete takeTopLevelItem(i);
    }
    qDeleteAll(item->takeChildren());
    item->setIcon(0, style()->standardIcon(QStyle::SP_DirOpenIcon));
    std::vector<prim::Text> chain;
    for (QTreeWidgetItem* i = item; i; i = i->parent())
        chain.push_back(ItemText(i));
    prim::Text path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!path.empty())
            path += '\\';
        path += *it;
    }
    directory_ = path;
    setCurrentItem(item);
    emit directoryChanged();
    ListSubdirectories(item, path);
}

void DirectoryBoxWidget::keyPressEvent(QKeyEvent* e) {
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && currentItem()) {
        Activate(currentItem());
        return;
    }
    QTreeWidget::keyPressEvent(e);
}

FileBoxWidget::FileBoxWidget(QWidget* parent) : MenuClicks(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (programmatic_ != 0)
            return;
        RebuildSelectedNames();
        emit selectionChangedByUser();
    });
}

void FileBoxWidget::RebuildSelectedNames() {
    selectedNames_.clear();
    for (int i = 0; i < count(); ++i) {
        if (!item(i)->isSelected())
            continue;
        if (!selectedNames_.empty())
            selectedNames_ += ';';
        selectedNames_ += ItemText(item(i));
    }
}

void FileBoxWidget::SetDirectory(const app::Text& path) {
    std::vector<prim::Text> wasSelected;
    for (int i = 0; i < count(); ++i)
        if (item(i)->isSelected())
            wasSelected.push_back(ItemText(item(i)));
    ++programmatic_;
    clear();
    directory_ = path.empty() ? prim::CurrentDirectory() : path;
    std::vector<prim::Text> names;
    if (auto listing = prim::StartListing(ListingPattern(directory_))) {
        prim::ListedEntry e;
        while (listing->Next(e, prim::kAttrDirectory))
            if (!(e.attributes & prim::kAttrDirectory))
                names.push_back(e.name);
    }
    SortByName(names);
    names.erase(std::unique(names.begin(), names.end()), names.end());
    for (const prim::Text& n : names) {
        auto* it = new QListWidgetItem(ToQ(n), this);
        it->setData(kTextRole, Bytes(n));
        for (const prim::Text& s : wasSelected)
            if (prim::CompareText(s, n, false) == 0)
                it->setSelected(true);
    }
    RebuildSelectedNames();
    --programmatic_;
}

}  // namespace ui
