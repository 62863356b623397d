#include "platform/ListHistory.h"

#include <algorithm>

namespace {

std::size_t TableBytes(std::size_t entries, std::size_t numbers, std::size_t bits)
{
    return entries + numbers * sizeof(ListModel::Id) + bits / 8;
}

}  // namespace

std::size_t ListModel::Step::TextBytes() const
{
    std::size_t bytes = 0;
    for (const Record& record : records) {
        for (const Entry& entry : record.entries) bytes += entry.length;
        if (record.tables) bytes += record.tables->textBytes;
    }
    return bytes;
}

std::size_t ListModel::Step::Bytes() const
{
    std::size_t bytes = sizeof(Step) + name.capacity() + TextBytes() +
                        TableBytes(0, 0, selectedBefore.size() + selectedAfter.size());
    for (const Record& record : records) {
        bytes += sizeof(Record) + TableBytes(record.entries.capacity() * sizeof(Entry),
                                             record.positions.capacity() + record.targets.capacity(), 0);
        if (const Tables* t = record.tables.get())
            bytes += TableBytes(t->entries.capacity() * sizeof(Entry),
                                t->order.capacity() + t->positions.capacity() + t->index.capacity() +
                                    t->nextSame.capacity() + t->previousSame.capacity(),
                                t->selected.size());
    }
    return bytes;
}

std::size_t ListModel::ListMemory() const
{
    return liveBytes_ + TableBytes(entries_.capacity() * sizeof(Entry),
                                   order_.capacity() + positions_.capacity() + index_.capacity() +
                                       nextSame_.capacity() + previousSame_.capacity(),
                                   selected_.size());
}

std::size_t ListModel::HistoryMemory() const
{
    return steps_->bytes;
}

ListModel::Change::Change(ListModel& model, std::string_view name) : model_(model)
{
    model_.Open(name);
}

ListModel::Change::~Change()
{
    model_.Close();
}

void ListModel::Open(std::string_view name)
{
    if (open_ == 0 && history_) {
        auto step = std::make_unique<Step>();
        step->name.assign(name);
        step->selectedBefore = Selection();
        pending_ = std::move(step);
    }
    ++open_;
}

void ListModel::Close()
{
    if (--open_ > 0 || !pending_) return;
    const std::unique_ptr<Step> step = std::move(pending_);
    if (step->records.empty()) return;
    // Run from a destructor, this must not throw: a step that cannot be kept
    // takes the history with it, as the steps before it no longer fit the list.
    try {
        step->selectedAfter = Selection();
        step->bytes = step->Bytes();
        steps_->undo.push_back(std::move(*step));
        steps_->bytes += steps_->undo.back().bytes;
        KeepWithinBound();
    } catch (...) {
        heldBytes_ -= step->TextBytes();
        StartHistory();
    }
}

ListModel::Record* ListModel::Recording(int kind)
{
    if (!pending_) return nullptr;
    Forget(steps_->redo, steps_->redo.size());  // a new change: the steps undone cannot come back
    std::vector<Record>& records = pending_->records;
    // Entries appended one after another are one record.
    if (kind == Record::kInserted && !records.empty() && records.back().kind == kind) return &records.back();
    records.push_back({kind, {}, {}, {}, {}});
    return &records.back();
}

std::vector<bool> ListModel::Selection() const
{
    std::vector<bool> selection;
    if (selectedCount_ == 0) return selection;
    selection.resize(order_.size());
    for (std::size_t i = 0; i < order_.size(); ++i) selection[i] = selected_[order_[i]];
    return selection;
}

void ListModel::Reselect(const std::vector<bool>& selection)
{
    SelectAll(false);
    for (std::size_t i = 0; i < selection.size() && i < order_.size(); ++i) Select(order_[i], selection[i]);
}

void ListModel::KeepHistory(bool on)
{
    history_ = on;
    if (!on) StartHistory();
}

void ListModel::StartHistory()
{
    Forget(steps_->undo, steps_->undo.size());
    Forget(steps_->redo, steps_->redo.size());
    // Changes still to come in an open Change are not kept either: there is
    // nothing before them to undo to.
    if (pending_) heldBytes_ -= pending_->TextBytes();
    pending_.reset();
}

bool ListModel::Undo()
{
    return Travel(steps_->undo, steps_->redo, false);
}

bool ListModel::Redo()
{
    return Travel(steps_->redo, steps_->undo, true);
}

std::string ListModel::UndoName() const
{
    return steps_->undo.empty() ? std::string() : steps_->undo.back().name;
}

std::string ListModel::RedoName() const
{
    return steps_->redo.empty() ? std::string() : steps_->redo.back().name;
}

// A change open is a reading that lets messages through: undoing under it
// would pull the list from under the change.
bool ListModel::Travel(std::deque<Step>& from, std::deque<Step>& to, bool forward)
{
    if (open_ > 0 || from.empty()) return false;
    Step& step = from.back();
    try {
        if (forward)
            for (Record& record : step.records) Replay(record, true);
        else
            for (auto record = step.records.rbegin(); record != step.records.rend(); ++record) Replay(*record, false);
    } catch (...) {
        StartHistory();  // the list is whole, but no longer where its steps left it
        throw;
    }
    Reselect(forward ? step.selectedAfter : step.selectedBefore);
    ++generation_;
    steps_->bytes -= step.bytes;
    step.bytes = step.Bytes();  // the texts it holds are not those it held
    steps_->bytes += step.bytes;
    // Where the step cannot be moved for want of memory, it is forgotten: the
    // list is as the step left it, and undoing goes on from there.
    try {
        to.push_back(std::move(step));
    } catch (...) {
        Forget(to, to.size());
        heldBytes_ -= step.TextBytes();
        steps_->bytes -= step.bytes;
    }
    from.pop_back();
    return true;
}

void ListModel::Replay(Record& record, bool forward)
{
    switch (record.kind) {
    case Record::kInserted:
    case Record::kRemoved:
        if ((record.kind == Record::kInserted) == forward) PutBack(record.positions, record.entries);
        else record.entries = TakeOut(record.positions, true);
        break;
    case Record::kCleared:
        SwapTables(*record.tables);
        break;
    case Record::kPlaced:
        if (forward) Place(record.positions, record.targets);
        else Place(record.targets, record.positions);
        break;
    case Record::kReordered:
        Permute(record.positions, !forward);
        break;
    }
}

void ListModel::Forget(std::deque<Step>& steps, std::size_t count)
{
    if (count == 0) return;
    for (std::size_t i = 0; i < count; ++i) {
        heldBytes_ -= steps[i].TextBytes();
        steps_->bytes -= steps[i].bytes;
    }
    steps.erase(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(count));
    CompactWhenMostlyGarbage();
}

void ListModel::KeepWithinBound()
{
    const std::size_t bound = std::max(ListMemory(), kBlockSize);
    std::size_t bytes = HistoryMemory(), oldest = 0;
    for (; oldest + 1 < steps_->undo.size() && bytes > bound; ++oldest) bytes -= steps_->undo[oldest].bytes;
    Forget(steps_->undo, oldest);
}

void ListModel::StoreHeldTextsAgain()
{
    const auto storeAgain = [this](std::vector<Entry>& entries) {
        for (Entry& entry : entries) entry.text = Store(TextOf(entry));
    };
    const auto storeStep = [&](Step& step) {
        for (Record& record : step.records) {
            storeAgain(record.entries);
            if (record.tables) storeAgain(record.tables->entries);
        }
    };
    for (auto* steps : {&steps_->undo, &steps_->redo})
        for (Step& step : *steps) storeStep(step);
    if (pending_) storeStep(*pending_);
}
