#include "platform/ListModel.h"

#include "platform/Letters.h"
#include "platform/ListHistory.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace {

constexpr ListModel::Id kRemoved = ListModel::kNone - 1;

// Whether an index of that many slots is roomy enough for that many taken,
// counting gaps: at most two thirds full, so searches stay short (about two
// slots looked at to find a key, five to find it missing) and a list of
// 10,000 texts takes 16,384 slots, not 32,768.
bool Holds(std::size_t taken, std::size_t slots)
{
    return taken * 3 <= slots * 2;
}

}  // namespace

ListModel::ListModel(Compare compare, Fold fold)
    : compare_(std::move(compare)), fold_(std::move(fold)), steps_(std::make_unique<Steps>())
{
    Intern("");  // icon key 0: none
}

ListModel::~ListModel() = default;

ListModel::Id ListModel::Append(std::string_view text, std::string_view smallIcon)
{
    Change change(*this, "Add");
    const Id id = static_cast<Id>(entries_.size());
    entries_.push_back({Store(text), static_cast<std::uint32_t>(text.size()), Intern(smallIcon)});
    positions_.push_back(static_cast<std::uint32_t>(order_.size()));
    order_.push_back(id);
    selected_.push_back(false);
    if (rings_) {
        nextSame_.push_back(kNone);
        previousSame_.push_back(kNone);
    }
    Index(id);
    stale_ = sorted_;
    if (Record* record = Recording(Record::kInserted)) record->positions.push_back(positions_[id]);
    return id;
}

void ListModel::Reserve(std::size_t more)
{
    const std::size_t count = entries_.size() + more;
    if (count > entries_.capacity()) {
        // Exactly as many into an empty list; at least twice as many into a
        // longer one, so that many small additions still grow it only now and then.
        const std::size_t room = std::max(count, entries_.empty() ? 0 : 2 * entries_.capacity());
        entries_.reserve(room);
        order_.reserve(room);
        positions_.reserve(room);
        selected_.reserve(room);
    }
    // The index at the size it would grow to for that many more keys.
    std::size_t slots = std::max<std::size_t>(64, index_.size());
    while (!Holds(indexLive_ + more, slots)) slots *= 2;
    if (slots > index_.size()) Rehash(slots);
}

void ListModel::SetText(Id id, std::string_view text)
{
    if (id >= entries_.size()) return;
    Unindex(id);
    Drop(entries_[id]);
    entries_[id].text = Store(text);
    entries_[id].length = static_cast<std::uint32_t>(text.size());
    Index(id);
    stale_ = sorted_;
    CompactWhenMostlyGarbage();  // after the store: the text may have come from an old block
}

void ListModel::SetIcon(Id id, std::string_view smallIcon)
{
    if (id < entries_.size()) entries_[id].icon = Intern(smallIcon);
}

std::string_view ListModel::Text(Id id) const
{
    return id < entries_.size() ? TextOf(entries_[id]) : std::string_view();
}

const std::string& ListModel::Icon(Id id) const
{
    return iconKeys_[id < entries_.size() ? entries_[id].icon : 0];
}

void ListModel::Clear()
{
    Change change(*this, "Clear");
    ++generation_;
    stale_ = false;
    // With a history, the step takes the whole list as it is, which is quick
    // to give back at Undo; the texts stay where they are.
    if (Record* record = Count() != 0 ? Recording(Record::kCleared) : nullptr) {
        record->tables = std::make_unique<Tables>();
        SwapTables(*record->tables);
        return;
    }
    if (heldBytes_ != 0) return;  // an empty list whose blocks hold texts of the history
    // A list cleared to be filled again (a folder listed anew) keeps its
    // tables, which saves bringing their memory back page by page; a very
    // long one gives its memory back to the system, as do the texts.
    constexpr std::size_t kTablesKeptFor = 1 << 16;  // entries: about 2 MB of tables
    if (entries_.capacity() > kTablesKeptFor) {
        std::vector<Entry>().swap(entries_);
        std::vector<Id>().swap(order_);
        std::vector<std::uint32_t>().swap(positions_);
        std::vector<bool>().swap(selected_);
        std::vector<Id>().swap(index_);
    }
    entries_.clear();
    order_.clear();
    positions_.clear();
    selected_.clear();
    StopRings();
    index_.assign(index_.size(), kNone);
    std::vector<std::unique_ptr<char[]>>().swap(blocks_);
    blockUsed_ = blockSize_ = blocksSize_ = storedBytes_ = liveBytes_ = 0;
    indexUsed_ = indexLive_ = 0;
    selectedCount_ = 0;
}

void ListModel::Remove(const std::vector<Id>& ids)
{
    std::vector<std::uint32_t> positions;
    for (Id id : ids)
        if (id < positions_.size()) positions.push_back(positions_[id]);
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    if (positions.empty()) return;
    Change change(*this, "Remove");
    Record* record = Recording(Record::kRemoved);
    std::vector<Entry> removed = TakeOut(positions, record != nullptr);
    if (!record) return;
    record->positions = std::move(positions);
    record->entries = std::move(removed);
}

std::vector<ListModel::Entry> ListModel::TakeOut(const std::vector<std::uint32_t>& positions, bool keepTexts)
{
    std::vector<bool> removed(entries_.size());
    std::vector<Entry> taken;
    taken.reserve(positions.size());
    for (const std::uint32_t position : positions) {
        const Id id = order_[position];
        removed[id] = true;
        taken.push_back(entries_[id]);
        Drop(entries_[id]);
        if (keepTexts) heldBytes_ += entries_[id].length;
    }
    std::vector<Id> renumbered(entries_.size(), kNone);
    std::vector<Entry> entries;
    std::vector<bool> selected;
    selectedCount_ = 0;
    for (Id id = 0; id < entries_.size(); ++id) {
        if (removed[id]) continue;
        renumbered[id] = static_cast<Id>(entries.size());
        entries.push_back(entries_[id]);
        selected.push_back(selected_[id]);
        selectedCount_ += selected_[id];
    }
    std::vector<Id> order;
    for (Id id : order_)
        if (!removed[id]) order.push_back(renumbered[id]);
    entries_ = std::move(entries);
    selected_ = std::move(selected);
    order_ = std::move(order);
    positions_.resize(order_.size());
    Renumber();
    index_.assign(index_.size(), kNone);  // the index held the old numbers
    StopRings();
    indexUsed_ = indexLive_ = 0;
    for (Id id = 0; id < entries_.size(); ++id) Index(id);
    ++generation_;
    // Texts the history keeps are not garbage, and are not yet where a
    // compaction would find them.
    if (!keepTexts) CompactWhenMostlyGarbage();
    return taken;
}

void ListModel::PutBack(const std::vector<std::uint32_t>& positions, std::vector<Entry>& entries)
{
    const std::size_t count = order_.size() + positions.size();
    std::vector<Id> order;
    order.reserve(count);
    std::size_t kept = 0, back = 0;
    for (std::size_t position = 0; position < count; ++position) {
        if (back == positions.size() || positions[back] != position) {
            order.push_back(order_[kept++]);
            continue;
        }
        const Id id = static_cast<Id>(entries_.size());
        const Entry& entry = entries[back++];
        entries_.push_back(entry);
        selected_.push_back(false);
        if (rings_) {
            nextSame_.push_back(kNone);
            previousSame_.push_back(kNone);
        }
        liveBytes_ += entry.length;
        heldBytes_ -= entry.length;
        order.push_back(id);
        Index(id);
    }
    entries.clear();
    order_ = std::move(order);
    positions_.resize(order_.size());
    Renumber();
}

void ListModel::Renumber()
{
    for (std::size_t i = 0; i < order_.size(); ++i) positions_[order_[i]] = static_cast<std::uint32_t>(i);
}

void ListModel::Reorder(const std::vector<int>& from)
{
    std::vector<std::uint32_t> positions(from.size());
    std::vector<bool> seen(from.size());
    bool same = true;
    for (std::size_t i = 0; i < from.size(); ++i) {
        const auto position = static_cast<std::size_t>(from[i]);
        if (from.size() != order_.size() || position >= from.size() || seen[position])
            throw std::invalid_argument("a new order must place every entry once");
        seen[position] = true;
        positions[i] = static_cast<std::uint32_t>(position);
        same = same && position == i;
    }
    if (same) return;
    Change change(*this, "Sort");
    Permute(positions, false);
    if (Record* record = Recording(Record::kReordered)) record->positions = std::move(positions);
}

void ListModel::Permute(const std::vector<std::uint32_t>& from, bool backwards)
{
    std::vector<Id> order(order_.size());
    for (std::size_t i = 0; i < from.size(); ++i) {
        if (backwards) order[from[i]] = order_[i];
        else order[i] = order_[from[i]];
    }
    order_ = std::move(order);
    Renumber();
}

std::vector<std::uint32_t> ListModel::SelectedPositions() const
{
    std::vector<std::uint32_t> positions;
    for (std::size_t i = 0; i < order_.size() && positions.size() < selectedCount_; ++i)
        if (selected_[order_[i]]) positions.push_back(static_cast<std::uint32_t>(i));
    return positions;
}

bool ListModel::MoveSelected(Where where)
{
    const std::vector<std::uint32_t> from = SelectedPositions();
    const auto last = static_cast<std::uint32_t>(order_.size() - from.size());  // of the block at the bottom
    std::vector<std::uint32_t> to(from.size());
    for (std::uint32_t i = 0; i < from.size(); ++i) {
        // An entry stops where the selected ones before it have closed up at the edge.
        switch (where) {
        case Where::Up:
            to[i] = std::max(from[i] == 0 ? 0 : from[i] - 1, i);
            break;
        case Where::Down:
            to[i] = std::min(from[i] + 1, last + i);
            break;
        case Where::Top:
            to[i] = i;
            break;
        case Where::Bottom:
            to[i] = last + i;
            break;
        }
    }
    return Moved(from, to);
}

bool ListModel::MoveSelectedTo(std::size_t position)
{
    const std::vector<std::uint32_t> from = SelectedPositions();
    // The block starts after the entries not moving that stay before it.
    const auto before = std::lower_bound(from.begin(), from.end(), position) - from.begin();
    const auto start = static_cast<std::uint32_t>(std::min(position, order_.size()) - static_cast<std::size_t>(before));
    std::vector<std::uint32_t> to(from.size());
    std::iota(to.begin(), to.end(), start);
    return Moved(from, to);
}

bool ListModel::Moved(const std::vector<std::uint32_t>& from, const std::vector<std::uint32_t>& to)
{
    if (from == to) return false;
    Change change(*this, "Move");
    Place(from, to);
    if (Record* record = Recording(Record::kPlaced)) {
        record->positions = from;
        record->targets = to;
    }
    return true;
}

void ListModel::Place(const std::vector<std::uint32_t>& from, const std::vector<std::uint32_t>& to)
{
    std::vector<bool> moving(order_.size()), placed(order_.size());
    std::vector<Id> order(order_.size());
    for (std::size_t i = 0; i < from.size(); ++i) {
        moving[from[i]] = placed[to[i]] = true;
        order[to[i]] = order_[from[i]];
    }
    // The others fill the places left, in their order.
    std::size_t next = 0;
    for (std::size_t position = 0; position < order_.size(); ++position) {
        if (moving[position]) continue;
        while (placed[next]) ++next;
        order[next++] = order_[position];
    }
    order_ = std::move(order);
    Renumber();
}

void ListModel::SwapTables(Tables& tables)
{
    heldBytes_ = heldBytes_ - tables.textBytes + liveBytes_;
    // Swapped through references: what each table holds changes sides.
    auto list = std::tie(entries_, order_, positions_, selected_, selectedCount_, liveBytes_, index_, indexUsed_,
                         indexLive_, rings_, nextSame_, previousSame_);
    auto kept = std::tie(tables.entries, tables.order, tables.positions, tables.selected, tables.selectedCount,
                         tables.textBytes, tables.index, tables.indexUsed, tables.indexLive, tables.rings,
                         tables.nextSame, tables.previousSame);
    list.swap(kept);
}

const char* ListModel::Store(std::string_view text)
{
    if (text.empty()) return "";
    if (blockUsed_ + text.size() > blockSize_) {
        blockSize_ = std::max(kBlockSize, text.size());
        blocks_.push_back(std::make_unique<char[]>(blockSize_));
        blocksSize_ += blockSize_;
        blockUsed_ = 0;
    }
    char* stored = blocks_.back().get() + blockUsed_;
    std::memcpy(stored, text.data(), text.size());
    blockUsed_ += text.size();
    storedBytes_ += text.size();
    liveBytes_ += text.size();
    return stored;
}

// Texts removed or replaced stay in their blocks until more than half of what
// was stored is such garbage (and at least a block of it): then the texts in
// use move to new blocks, so a list edited for long holds about what it shows.
void ListModel::CompactWhenMostlyGarbage()
{
    const std::size_t garbage = storedBytes_ - liveBytes_ - heldBytes_;
    if (garbage * 2 <= storedBytes_ || garbage < kBlockSize) return;
    std::vector<std::unique_ptr<char[]>> old;
    old.swap(blocks_);  // freed once every text has moved
    blockUsed_ = blockSize_ = blocksSize_ = storedBytes_ = liveBytes_ = 0;
    for (Entry& entry : entries_) entry.text = Store(TextOf(entry));
    StoreHeldTextsAgain();
    liveBytes_ = storedBytes_ - heldBytes_;  // Store counted the history's texts as the list's
}

std::uint32_t ListModel::Intern(std::string_view key)
{
    const auto found = iconIds_.find(key);
    if (found != iconIds_.end()) return found->second;
    const auto id = static_cast<std::uint32_t>(iconKeys_.size());
    iconKeys_.emplace_back(key);
    iconIds_.emplace(iconKeys_.back(), id);
    return id;
}

std::string_view ListModel::Key(std::string_view text, std::string& buffer) const
{
    // Most texts are ASCII: their key is the text itself, without a copy.
    // The ASCII letters of every key are folded as it is hashed and compared,
    // so a fold that gives some letters in ASCII ("\xC5\xBF", long s, as S)
    // meets the texts that hold them.
    if (!fold_ || IsAscii(text)) return text;
    buffer = fold_(text);
    return buffer;
}

std::size_t ListModel::Hash(std::string_view key) const
{
    // Eight bytes at a time, each capital ASCII letter given the bit of its
    // small one on the way: a path of 60 bytes hashes in a few nanoseconds.
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    std::uint64_t hash = key.size();
    for (std::size_t at = 0; at < key.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, key.data() + at, std::min<std::size_t>(8, key.size() - at));
        const std::uint64_t low = word & (0x7F * kOnes);
        const std::uint64_t capital =
            (low + (0x80 - 'A') * kOnes) & ~(low + (0x80 - 'Z' - 1) * kOnes) & ~word & (0x80 * kOnes);
        hash = (hash ^ (word | capital >> 2)) * 0x9E3779B97F4A7C15ull;
        hash ^= hash >> 29;
    }
    // A product's low bits depend only on the factors' low bits: mixed whole,
    // the bytes at the top of a word move the slot as much as the others.
    hash = (hash ^ (hash >> 33)) * 0xFF51AFD7ED558CCDull;
    hash = (hash ^ (hash >> 33)) * 0xC4CEB9FE1A85EC53ull;
    return static_cast<std::size_t>(hash ^ (hash >> 33));
}

bool ListModel::SameKey(std::string_view text, std::string_view key) const
{
    return EqualFolded(Key(text, otherKeyBuffer_), key);
}

std::size_t ListModel::SlotOf(std::string_view key) const
{
    const std::size_t mask = index_.size() - 1;
    std::size_t slot = Hash(key) & mask;
    for (; index_[slot] != kNone; slot = (slot + 1) & mask) {
        ++probes_;
        const Id held = index_[slot];
        if (held != kRemoved && SameKey(TextOf(entries_[held]), key)) break;
    }
    return slot;
}

void ListModel::Rehash(std::size_t capacity)
{
    std::vector<Id> old(capacity, kNone);
    old.swap(index_);
    indexUsed_ = indexLive_ = 0;
    // Every slot kept holds a key of its own: each goes to the first free slot.
    const std::size_t mask = index_.size() - 1;
    for (const Id held : old) {
        if (held == kNone || held == kRemoved) continue;
        std::size_t slot = Hash(Key(TextOf(entries_[held]), keyBuffer_)) & mask;
        for (; index_[slot] != kNone; slot = (slot + 1) & mask) ++probes_;
        index_[slot] = held;
        ++indexUsed_;
        ++indexLive_;
    }
}

void ListModel::StartRings()
{
    if (rings_) return;
    rings_ = true;
    // Every entry indexed so far is alone with its key.
    nextSame_.assign(entries_.size(), kNone);
    previousSame_.assign(entries_.size(), kNone);
    for (Id id = 0; id < entries_.size(); ++id)
        if (entries_[id].length != 0) nextSame_[id] = previousSame_[id] = id;
}

void ListModel::StopRings()
{
    rings_ = false;
    std::vector<Id>().swap(nextSame_);
    std::vector<Id>().swap(previousSame_);
}

// Empty texts are not indexed: a list being filled holds many for a moment.
void ListModel::Index(Id id)
{
    if (entries_[id].length == 0) return;
    // When it fills, it grows only if the keys themselves take a quarter of
    // it; otherwise it is rebuilt at its size without the gaps that replaced
    // texts left.
    if (!Holds(indexUsed_ + 1, index_.size())) {
        const bool crowded = (indexLive_ + 1) * 4 > index_.size();
        Rehash(std::max<std::size_t>(64, crowded ? index_.size() * 2 : index_.size()));
    }
    Id& slot = index_[SlotOf(Key(TextOf(entries_[id]), keyBuffer_))];
    if (slot == kNone) {
        slot = id;
        if (rings_) nextSame_[id] = previousSame_[id] = id;
        ++indexUsed_;
        ++indexLive_;
        return;
    }
    // Another text of the key: the last on its first entry's ring.
    StartRings();
    const Id first = slot, last = previousSame_[first];
    nextSame_[last] = id;
    previousSame_[id] = last;
    nextSame_[id] = first;
    previousSame_[first] = id;
}

void ListModel::Unindex(Id id)
{
    if (entries_[id].length == 0 || (rings_ && nextSame_[id] == kNone)) return;
    Id next = id;  // without rings, every entry is alone with its key
    if (rings_) {
        next = nextSame_[id];
        const Id previous = previousSame_[id];
        nextSame_[id] = previousSame_[id] = kNone;
        nextSame_[previous] = next;
        previousSame_[next] = previous;
    }
    Id& slot = index_[SlotOf(Key(TextOf(entries_[id]), keyBuffer_))];
    if (slot != id) return;  // not the key's first entry: the slot stays
    if (next != id) {
        slot = next;
        return;
    }
    slot = kRemoved;  // the gap keeps later keys of the run reachable
    --indexLive_;
}

ListModel::Id ListModel::Find(std::string_view text) const
{
    if (text.empty()) {
        for (Id id = 0; id < entries_.size(); ++id)
            if (entries_[id].length == 0) return id;
        return kNone;
    }
    if (index_.empty()) return kNone;
    return index_[SlotOf(Key(text, keyBuffer_))];
}

int ListModel::FindFrom(std::string_view text, int start, bool partial, bool wrap) const
{
    const int count = static_cast<int>(order_.size());
    if (count == 0) return -1;
    if (start < 0 || start >= count) start = wrap ? 0 : count;
    const std::string_view key = Key(text, keyBuffer_);
    const auto matches = [&](std::string_view entry) {
        const std::string_view entryKey = Key(entry, otherKeyBuffer_);
        return EqualFolded(partial ? entryKey.substr(0, key.size()) : entryKey, key);
    };
    const int last = wrap ? start + count : count;
    for (int i = start; i < last; ++i) {
        const int position = i % count;
        if (matches(Text(order_[static_cast<std::size_t>(position)]))) return position;
    }
    return -1;
}

void ListModel::Sorted(bool on)
{
    sorted_ = on;
    stale_ = on && !entries_.empty();
}

void ListModel::SortOrder(int order)
{
    direction_ = order;
    stale_ = sorted_ && !entries_.empty();
}

std::vector<int> ListModel::Arrange()
{
    std::vector<int> from(order_.size());
    std::iota(from.begin(), from.end(), 0);
    if (!stale_) return from;
    stale_ = false;
    // The entries of a folder all begin with its path: compared past it, the
    // sort reads a few bytes of each text instead of the whole path.
    const char* first = order_.empty() ? "" : entries_[order_[0]].text;
    std::size_t shared = order_.empty() ? 0 : entries_[order_[0]].length;
    for (const Entry& entry : entries_) {
        shared = std::min<std::size_t>(shared, entry.length);
        shared = static_cast<std::size_t>(std::mismatch(first, first + shared, entry.text).first - first);
    }
    struct Sortable {
        std::string_view rest;
        int from;
    };
    std::vector<Sortable> sortable(order_.size());
    for (std::size_t i = 0; i < order_.size(); ++i)
        sortable[i] = {Text(order_[i]).substr(shared), static_cast<int>(i)};
    const bool descending = direction_ != 0;
    const auto before = [&](const Sortable& a, const Sortable& b) {
        const int c = compare_(a.rest, b.rest);
        return descending ? c > 0 : c < 0;
    };
    // A folder is often read in order already: then one pass finds it so.
    if (!std::is_sorted(sortable.begin(), sortable.end(), before))
        std::stable_sort(sortable.begin(), sortable.end(), before);
    for (std::size_t i = 0; i < from.size(); ++i) from[i] = sortable[i].from;
    Reorder(from);
    return from;
}

int CompareTextNoCase(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const int difference =
            static_cast<unsigned char>(FoldAscii(a[i])) - static_cast<unsigned char>(FoldAscii(b[i]));
        if (difference != 0) return difference;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}
