#include "ui/result_list.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>
#include <cstring>

#include "ui/qt_text.h"

namespace ui {

int ResultListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= Count())
        return {};
    return ToQ(Text(index.row()));
}

prim::Text ResultListModel::Text(int i) const {
    if (i < 0 || i >= Count())
        return prim::Text();
    const Span& s = spans_[static_cast<size_t>(i)];
    return prim::Text(blocks_[s.block].get() + s.offset, s.length);
}

int ResultListModel::Append(std::string_view text) {
    // Texts go into fixed blocks that never move: growing one big buffer would
    // copy everything and, for a moment, hold it twice.
    if (blocks_.empty() || blockUsed_ + text.size() > blockSize_) {
        blockSize_ = std::max(kBlockSize, text.size());
        blocks_.push_back(std::make_unique<char[]>(blockSize_));
        blockUsed_ = 0;
    }
    std::memcpy(blocks_.back().get() + blockUsed_, text.data(), text.size());
    spans_.push_back({static_cast<std::uint32_t>(blocks_.size() - 1),
                      static_cast<std::uint32_t>(blockUsed_),
                      static_cast<std::uint32_t>(text.size())});
    blockUsed_ += text.size();
    return Count() - 1;
}

void ResultListModel::ReleaseBlocks() {
    blocks_.clear();
    blockUsed_ = 0;
    blockSize_ = 0;
}

void ResultListModel::Flush() {
    if (shown_ == Count())
        return;
    beginInsertRows(QModelIndex(), shown_, Count() - 1);
    shown_ = Count();
    endInsertRows();
}

void ResultListModel::Remove(int i) {
    Flush();
    beginRemoveRows(QModelIndex(), i, i);
    spans_.erase(spans_.begin() + i);
    shown_ = Count();
    endRemoveRows();
    if (spans_.empty())
        ReleaseBlocks();
}

void ResultListModel::RemoveAll() {
    beginResetModel();
    spans_.clear();
    spans_.shrink_to_fit();
    ReleaseBlocks();
    shown_ = 0;
    endResetModel();
}

ResultListView::ResultListView(QWidget* parent)
    : MenuClicks(parent), model_(new ResultListModel(this)) {
    setModel(model_);
    flushTimer_.setSingleShot(true);
    connect(&flushTimer_, &QTimer::timeout, this, [this] { FlushWhenDue(); });
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setShowGrid(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);
    horizontalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);
    setTabKeyNavigation(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (programmatic_ == 0)
            emit itemSelected();
    });
}

int ResultListView::AddItem(const app::Text& text) {
    const int index = model_->Append(text);
    // Outside a search nobody pumps: the row shows at the next idle moment.
    if (!flushTimer_.isActive())
        flushTimer_.start(0);
    return index;
}

void ResultListView::FlushWhenDue() {
    if (!model_->Pending())
        return;
    // Rows that land below the visible ones change only the scroll range, yet
    // each insertion makes the view repaint every visible row: while the view
    // is full, new rows are handed over a few times a second.
    const bool room = rowAt(viewport()->height() - 1) < 0;
    const auto now = std::chrono::steady_clock::now();
    const auto since = now - lastFlush_;
    if (room || since >= kFullViewFlushInterval) {
        Flush();
        return;
    }
    flushTimer_.start(static_cast<int>(
        std::chrono::ceil<std::chrono::milliseconds>(kFullViewFlushInterval - since).count()));
}

void ResultListView::Flush() {
    flushTimer_.stop();
    lastFlush_ = std::chrono::steady_clock::now();
    model_->Flush();
    ApplyQueuedSelection();
}

void ResultListView::ApplyQueuedSelection() {
    if (queuedSelection_.empty())
        return;
    model_->Flush();
    ++programmatic_;
    size_t k = 0;
    while (k < queuedSelection_.size()) {
        auto [first, on] = queuedSelection_[k];
        int last = first;
        size_t j = k + 1;
        while (j < queuedSelection_.size() && queuedSelection_[j].second == on &&
               queuedSelection_[j].first == last + 1) {
            last = queuedSelection_[j].first;
            ++j;
        }
        selectionModel()->select(QItemSelection(model_->index(first), model_->index(last)),
                                 on ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
        k = j;
    }
    queuedSelection_.clear();
    --programmatic_;
}

app::Text ResultListView::ItemText(int index) const {
    return model_->Text(index);
}

bool ResultListView::DeleteItem(int index) {
    if (index < 0 || index >= ItemCount())
        return false;
    ApplyQueuedSelection();
    ++programmatic_;
    model_->Remove(index);
    --programmatic_;
    return true;
}

void ResultListView::Clear() {
    queuedSelection_.clear();
    ++programmatic_;
    model_->RemoveAll();
    --programmatic_;
}

bool ResultListView::SelectItem(int index, bool selected) {
    if (index < 0 || index >= ItemCount())
        return false;
    if (queuedSelection_.empty())
        QTimer::singleShot(0, this, [this] { ApplyQueuedSelection(); });
    queuedSelection_.emplace_back(index, selected);
    return true;
}

std::vector<int> ResultListView::SelectedIndexes() const {
    const_cast<ResultListView*>(this)->ApplyQueuedSelection();
    std::vector<int> out;
    for (const QItemSelectionRange& r : selectionModel()->selection())
        for (int row = r.top(); row <= r.bottom(); ++row)
            out.push_back(row);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

}  // namespace ui
