// Changes of a B-tree index: inserting with page splits, erasing with empty pages
// leaving the tree.
#include <algorithm>
#include <cstring>
#include <vector>

#include "btree_file.h"
#include "btree_layout.h"
#include "bytes.h"
#include "db/db.h"

namespace db {
using namespace btree;

// ---- changes ------------------------------------------------------------------------

int BTreeFile::Insert(const uint8_t* key, int32_t value, bool& existed) {
  return InsertPair(key, value, false, existed);
}

int BTreeFile::InsertNewKey(const uint8_t* key, int32_t value, bool& taken) {
  return InsertPair(key, value, true, taken);
}

// True when every step of the path took the first (or last) child: its leaf is the
// first (or last) of the tree.
bool BTreeFile::OnEdge(const std::vector<PathStep>& path, bool first) const {
  for (size_t i = 0; i + 1 < path.size(); ++i) {
    if (path[i].child != (first ? 0 : BranchCount(*path[i].page))) return false;
  }
  return true;
}

// existed: the pair (or with uniqueKey, the key with any value) is there already;
// nothing changes then.
int BTreeFile::InsertPair(const uint8_t* key, int32_t value, bool uniqueKey, bool& existed) {
  existed = false;
  if (readOnly_) return fileio::kErrAccessDenied;
  Operation op(*this);
  if (op.rc() != 0) return op.rc();
  // At most one new page per level and a new root.
  int rc = Reserve(written_.height + 2);
  if (rc != 0) return rc;
  std::vector<PathStep>& path = changePath_;
  rc = Descend(key, value, path);
  if (rc != 0) return rc;
  Page* leaf = path.back().page;
  int count = Get16(leaf->bytes + kPgCount);
  int pos = LeafLowerBound(*leaf, key, value);
  if (pos < count) {
    const uint8_t* e = LeafAt(*leaf, pos);
    if (Compare(e, GetI32(e + keyLength_), key, value) == 0) {
      existed = true;
      return 0;
    }
  }
  if (uniqueKey) {
    // The key's pairs sit right around the place of the new one; only at a leaf's edge
    // may they go on in the leaf beside it, which a search finds.
    const size_t n = size_t(keyLength_);
    existed = (pos < count && std::memcmp(LeafAt(*leaf, pos), key, n) == 0) ||
              (pos > 0 && std::memcmp(LeafAt(*leaf, pos - 1), key, n) == 0);
    if (!existed && ((pos == 0 && !OnEdge(path, true)) || (pos == count && !OnEdge(path, false)))) {
      uint8_t k[kMaxKeyLength];
      int32_t v = 0;
      BtPosition at;
      bool found = false;
      rc = LocateIn(Seek::AtLeast, key, INT32_MIN, found, k, v, at);
      if (rc != 0) return rc;
      existed = found && std::memcmp(k, key, n) == 0;
    }
    if (existed) return 0;
  }
  BeginChange();
  written_.keyCount++;
  const int es = leafEntry();
  if (count < maxLeaf()) {
    std::memmove(LeafAt(*leaf, pos + 1), LeafAt(*leaf, pos), size_t((count - pos) * es));
    std::memcpy(LeafAt(*leaf, pos), key, size_t(keyLength_));
    PutI32(LeafAt(*leaf, pos) + keyLength_, value);
    Put16(leaf->bytes + kPgCount, uint16_t(count + 1));
    MarkDirty(leaf);
    return Commit();
  }
  // Split the full leaf. Filing in ascending order (record numbers, counters) adds at
  // the end of a leaf: the new pair then starts a leaf of its own, so that leaves stay
  // full instead of half empty.
  std::vector<uint8_t> all(size_t((count + 1) * es));
  std::memcpy(all.data(), LeafAt(*leaf, 0), size_t(pos * es));
  std::memcpy(all.data() + pos * es, key, size_t(keyLength_));
  PutI32(all.data() + pos * es + keyLength_, value);
  std::memcpy(all.data() + (pos + 1) * es, LeafAt(*leaf, pos), size_t((count - pos) * es));
  int total = count + 1;
  int leftCount = pos == count ? count : total / 2;
  Page* right = nullptr;
  rc = NewPage(right);
  if (rc != 0) return rc;
  right->bytes[kPgType] = kLeaf;
  std::memcpy(LeafAt(*leaf, 0), all.data(), size_t(leftCount * es));
  std::memset(LeafAt(*leaf, leftCount), 0, size_t((maxLeaf() - leftCount) * es));
  Put16(leaf->bytes + kPgCount, uint16_t(leftCount));
  std::memcpy(LeafAt(*right, 0), all.data() + leftCount * es, size_t((total - leftCount) * es));
  Put16(right->bytes + kPgCount, uint16_t(total - leftCount));
  MarkDirty(leaf);
  const uint8_t* sep = LeafAt(*right, 0);
  std::vector<uint8_t> sepKey(sep, sep + keyLength_);
  rc = InsertIntoParent(path, path.size() - 1, sepKey.data(), GetI32(sep + keyLength_), right->number);
  if (rc != 0) return rc;
  return Commit();
}

int BTreeFile::FillEmpty(const uint8_t* entries, size_t count) {
  if (readOnly_) return fileio::kErrAccessDenied;
  const size_t es = size_t(leafEntry());
  if (journalling_) {
    // Every change journalled: one pair after another.
    for (size_t i = 0; i < count; ++i) {
      bool existed = false;
      int rc = Insert(entries + i * es, GetI32(entries + i * es + keyLength_), existed);
      if (rc != 0) return rc;
    }
    return 0;
  }
  Operation op(*this);
  if (op.rc() != 0) return op.rc();
  if (written_.keyCount != 0 || written_.height != 1 || written_.freeHead != 0) return kDbErrInvalidParameter;
  if (count == 0) return 0;
  // Pages per level, from the leaves up: full leaves, branches of at most maxBranch() + 1
  // children.
  const size_t perLeaf = size_t(maxLeaf()), perBranch = size_t(maxBranch()) + 1;
  std::vector<size_t> levels{(count + perLeaf - 1) / perLeaf};
  while (levels.back() > 1) levels.push_back((levels.back() + perBranch - 1) / perBranch);
  size_t total = 0;
  for (size_t n : levels) total += n;
  if (levels.size() > kMaxHeight || total + written_.pageCount >= UINT32_MAX) return kDbErrInvalidParameter;
  int rc = Reserve(uint32_t(total));
  if (rc != 0) return rc;
  BeginChange();
  // The empty root leaf becomes the first leaf; the other pages follow the pages in use.
  uint32_t reuse = written_.root;
  auto take = [&]() {
    uint32_t number = reuse != 0 ? reuse : written_.pageCount++;
    reuse = 0;
    if (checked_.size() < written_.pageCount) checked_.resize(written_.pageCount, 0);
    checked_[number] = 1;  // written here, sound
    uint8_t* b = map_.data() + int64_t(number) * kPageSize;
    std::memset(b, 0, kPageSize);
    Put32(b + kPgNumber, number);
    return Page{number, b};
  };
  // Each page of the level just written, and its first pair.
  std::vector<uint32_t> pages;
  std::vector<const uint8_t*> firsts;
  for (size_t at = 0; at < count; at += perLeaf) {
    Page leaf = take();
    const size_t n = std::min(perLeaf, count - at);
    leaf.bytes[kPgType] = kLeaf;
    Put16(leaf.bytes + kPgCount, uint16_t(n));
    std::memcpy(LeafAt(leaf, 0), entries + at * es, n * es);
    Seal(leaf.bytes);
    pages.push_back(leaf.number);
    firsts.push_back(entries + at * es);
  }
  for (int level = 1; pages.size() > 1; ++level) {
    // The children are shared out evenly, so that no branch is left with a single child.
    const size_t groups = (pages.size() + perBranch - 1) / perBranch;
    std::vector<uint32_t> up;
    std::vector<const uint8_t*> upFirsts;
    for (size_t g = 0, at = 0; g < groups; ++g) {
      const size_t n = pages.size() / groups + (g < pages.size() % groups ? 1 : 0);
      Page branch = take();
      branch.bytes[kPgType] = kBranch;
      branch.bytes[kPgLevel] = uint8_t(level);
      Put16(branch.bytes + kPgCount, uint16_t(n - 1));
      SetChild(branch, 0, pages[at]);
      for (size_t i = 1; i < n; ++i) {
        // Child i holds the pairs from its first one on: that pair separates it.
        std::memcpy(SepAt(branch, int(i) - 1), firsts[at + i], es);
        SetChild(branch, int(i), pages[at + i]);
      }
      Seal(branch.bytes);
      up.push_back(branch.number);
      upFirsts.push_back(firsts[at]);
      at += n;
    }
    pages.swap(up);
    firsts.swap(upFirsts);
  }
  written_.root = pages[0];
  written_.height = uint32_t(levels.size());
  written_.keyCount = count;
  pagesSinceFlush_ += total;
  return Commit();
}

// `level` counts the path entries above the page that split: path[level - 1] receives
// the separator; level 0 means the root split.
int BTreeFile::InsertIntoParent(std::vector<PathStep>& path, size_t level, const uint8_t* sepKey,
                                int32_t sepValue, uint32_t child) {
  const int es = branchEntry();
  if (level == 0) {
    Page* root = nullptr;
    int rc = NewPage(root);
    if (rc != 0) return rc;
    if (written_.height >= kMaxHeight) return kDbErrCorrupt;
    root->bytes[kPgType] = kBranch;
    root->bytes[kPgLevel] = uint8_t(written_.height);
    Put16(root->bytes + kPgCount, 1);
    SetChild(*root, 0, written_.root);
    std::memcpy(SepAt(*root, 0), sepKey, size_t(keyLength_));
    PutI32(SepAt(*root, 0) + keyLength_, sepValue);
    SetChild(*root, 1, child);
    written_.root = root->number;
    written_.height++;
    return 0;
  }
  Page* p = path[level - 1].page;
  int c = path[level - 1].child;
  int count = Get16(p->bytes + kPgCount);
  MarkDirty(p);
  if (count < maxBranch()) {
    std::memmove(SepAt(*p, c + 1), SepAt(*p, c), size_t((count - c) * es));
    std::memcpy(SepAt(*p, c), sepKey, size_t(keyLength_));
    PutI32(SepAt(*p, c) + keyLength_, sepValue);
    Put32(SepAt(*p, c) + keyLength_ + 4, child);
    Put16(p->bytes + kPgCount, uint16_t(count + 1));
    return 0;
  }
  // Split the full branch: separators and children with the new ones in place.
  const int ss = keyLength_ + 4;
  int n = count + 1;
  std::vector<uint8_t> seps(size_t(n * ss));
  std::vector<uint32_t> kids(size_t(n + 1));
  for (int i = 0, k = 0; i < n; ++i) {
    if (i == c) {
      std::memcpy(seps.data() + i * ss, sepKey, size_t(keyLength_));
      PutI32(seps.data() + i * ss + keyLength_, sepValue);
    } else {
      std::memcpy(seps.data() + i * ss, SepAt(*p, k++), size_t(ss));
    }
  }
  for (int i = 0, k = 0; i <= n; ++i) kids[size_t(i)] = (i == c + 1) ? child : ChildAt(*p, k++);
  int m = (c == count) ? n - 1 : n / 2;
  Page* right = nullptr;
  int rc = NewPage(right);
  if (rc != 0) return rc;
  right->bytes[kPgType] = kBranch;
  right->bytes[kPgLevel] = p->bytes[kPgLevel];
  std::memset(p->bytes + 16, 0, size_t(kPageSize - 16));
  Put16(p->bytes + kPgCount, uint16_t(m));
  for (int i = 0; i < m; ++i) std::memcpy(SepAt(*p, i), seps.data() + i * ss, size_t(ss));
  for (int i = 0; i <= m; ++i) SetChild(*p, i, kids[size_t(i)]);
  Put16(right->bytes + kPgCount, uint16_t(n - m - 1));
  for (int i = m + 1; i < n; ++i) std::memcpy(SepAt(*right, i - m - 1), seps.data() + i * ss, size_t(ss));
  for (int i = m + 1; i <= n; ++i) SetChild(*right, i - m - 1, kids[size_t(i)]);
  std::vector<uint8_t> up(seps.begin() + m * ss, seps.begin() + m * ss + keyLength_);
  return InsertIntoParent(path, level - 1, up.data(), GetI32(seps.data() + m * ss + keyLength_), right->number);
}

int BTreeFile::Erase(const uint8_t* key, int32_t value, bool& found) {
  found = false;
  if (readOnly_) return fileio::kErrAccessDenied;
  Operation op(*this);
  if (op.rc() != 0) return op.rc();
  int rc = Reserve(1);  // an emptied tree gets a new root leaf
  if (rc != 0) return rc;
  std::vector<PathStep>& path = changePath_;
  rc = Descend(key, value, path);
  if (rc != 0) return rc;
  Page* leaf = path.back().page;
  int count = Get16(leaf->bytes + kPgCount);
  int pos = LeafLowerBound(*leaf, key, value);
  if (pos >= count) return 0;
  const uint8_t* e = LeafAt(*leaf, pos);
  if (Compare(e, GetI32(e + keyLength_), key, value) != 0) return 0;
  found = true;
  BeginChange();
  written_.keyCount--;
  const int es = leafEntry();
  std::memmove(LeafAt(*leaf, pos), LeafAt(*leaf, pos + 1), size_t((count - pos - 1) * es));
  std::memset(LeafAt(*leaf, count - 1), 0, size_t(es));
  Put16(leaf->bytes + kPgCount, uint16_t(count - 1));
  MarkDirty(leaf);
  if (count - 1 == 0 && path.size() > 1) {
    // An empty leaf leaves the tree; its parent may follow it.
    FreePage(leaf);
    rc = RemoveFromParent(path, path.size() - 1);
    if (rc != 0) return rc;
  }
  return Commit();
}

// Removes the child path[level] from its parent path[level - 1].
int BTreeFile::RemoveFromParent(std::vector<PathStep>& path, size_t level) {
  Page* p = path[level - 1].page;
  int c = path[level - 1].child;
  int count = Get16(p->bytes + kPgCount);
  MarkDirty(p);
  if (count == 0) {
    // Its only child went: the branch goes too, or an empty root leaf takes its place.
    if (level - 1 > 0) {
      FreePage(p);
      return RemoveFromParent(path, level - 1);
    }
    FreePage(p);
    Page* leaf = nullptr;
    int rc = NewPage(leaf);
    if (rc != 0) return rc;
    leaf->bytes[kPgType] = kLeaf;
    written_.root = leaf->number;
    written_.height = 1;
    return 0;
  }
  const int ss = keyLength_ + 4;
  std::vector<uint8_t> seps;
  std::vector<uint32_t> kids;
  for (int i = 0; i <= count; ++i) {
    if (i != c) kids.push_back(ChildAt(*p, i));
  }
  for (int i = 0; i < count; ++i) {
    // Child c goes with the separator before it (for child 0: the one after it).
    if (i == (c == 0 ? 0 : c - 1)) continue;
    seps.insert(seps.end(), SepAt(*p, i), SepAt(*p, i) + ss);
  }
  std::memset(p->bytes + 16, 0, size_t(kPageSize - 16));
  Put16(p->bytes + kPgCount, uint16_t(count - 1));
  for (int i = 0; i < count - 1; ++i) std::memcpy(SepAt(*p, i), seps.data() + i * ss, size_t(ss));
  for (int i = 0; i < count; ++i) SetChild(*p, i, kids[size_t(i)]);
  // A root with a single child hands the root over to it.
  if (level - 1 == 0) {
    while (written_.height > 1) {
      Page* root = nullptr;
      int rc = Load(written_.root, int(written_.height) - 1, root);
      if (rc != 0) return rc;
      if (Get16(root->bytes + kPgCount) != 0) break;
      written_.root = ChildAt(*root, 0);
      written_.height--;
      FreePage(root);
    }
  }
  return 0;
}

}  // namespace db
