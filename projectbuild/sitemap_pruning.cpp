#include "projectbuild/sitemap_pruning.h"

#include "pagesift/pagesift.h"

namespace bte::projectbuild {
namespace {

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] + 32) : a[i];
    const char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] + 32) : b[i];
    if (x != y) return false;
  }
  return true;
}

std::string_view Attribute(const CHtmlTagItem& tag, const char* name) {
  const char* value = tag.GetAttributeValue(name);
  return value != nullptr ? value : "";
}

bool IsList(const CHtmlTagItem& tag) {
  return SameWord(tag.GetTagName(), "ul") || SameWord(tag.GetTagName(), "ol");
}

bool IsParamNamed(const CHtmlTagItem& tag, const char* name) {
  return tag.GetTagId() == pagesift::kTagParam && SameWord(Attribute(tag, "name"), name);
}

void DiscardRange(HtmlPosition first, HtmlPosition last) {
  for (HtmlPosition at = first; at != nullptr; at = CHtmlTokenList::GetNext(at)) {
    at->DiscardToken();
    if (at == last) break;
  }
}

// The whitespace written after a tag (it travels with the tag).
std::string_view TrailingWhitespace(const CHtmlTagItem& tag) {
  const std::string_view source = tag.GetSourceText(), text = tag.GetTagText();
  return source.substr(static_cast<size_t>(text.data() + text.size() - source.data()));
}

// Whitespace travels with the tag before it, so a run of removed tokens
// takes with it the indentation of what follows, while the kept tag before
// it keeps the run's own: removing a list's last entry would leave the
// list's end tag one level too deep. The kept tag is written again without
// its whitespace, and the run's last tag gives its whitespace back.
void MendWhitespace(CHtmlTokenList& tokens) {
  HtmlPosition kept = nullptr;
  for (HtmlPosition at = tokens.GetHeadPosition(); at != nullptr; at = CHtmlTokenList::GetNext(at)) {
    if (!at->IsDiscardedToken()) {
      kept = at;
      continue;
    }
    if (CHtmlTokenList::GetNext(at) != nullptr && CHtmlTokenList::GetNext(at)->IsDiscardedToken()) continue;
    CHtmlTagItem* before = CHtmlTokenList::GetTagItem(kept);
    CHtmlTagItem* last = CHtmlTokenList::GetTagItem(at);
    if (before == nullptr || last == nullptr) continue;
    const std::string_view space = TrailingWhitespace(*before);
    if (space == TrailingWhitespace(*last)) continue;
    const std::string_view source = before->GetSourceText();
    const std::string bare(source.substr(0, source.size() - space.size()));
    before->DiscardToken();
    tokens.InsertAfter(kept, new CHtmlTagItem(bare.c_str()));
    last->DiscardKeepingWhitespace();
  }
}

struct LocalParam {
  HtmlPosition param;
  HtmlPosition title;  // an index entry's Name of this value (not its keyword), or null
};

struct Entry {
  HtmlPosition first = nullptr, last = nullptr;  // from its <li> (or <object>) on
  bool hasObject = false;
  std::string name;
  std::vector<LocalParam> locals;
  HtmlPosition pendingTitle = nullptr;  // the Name param just read, when not the first
  bool sawName = false;
  int children = -1;  // its nested list
};

struct EntryList {
  HtmlPosition first = nullptr, last = nullptr;
  std::vector<size_t> entries;
  bool nested = false;  // some entry's children
};

// The entries and lists of a sitemap, read in one walk. Tolerant: lists
// left open end with the document, params outside objects are loose.
class SitemapModel {
 public:
  explicit SitemapModel(CHtmlFileEx& document) {
    lists_.push_back({});
    open_.push_back(0);
    for (HtmlPosition at = document.GetTokenList()->GetHeadPosition(); at; at = CHtmlTokenList::GetNext(at))
      Read(at);
  }

  std::vector<Entry> entries_;
  std::vector<EntryList> lists_;
  std::vector<HtmlPosition> looseLocals_;

 private:
  int LastEntry(size_t list) const {
    return lists_[list].entries.empty() ? -1 : static_cast<int>(lists_[list].entries.back());
  }
  size_t NewEntry(HtmlPosition at) {
    entries_.push_back({});
    entries_.back().first = at;
    lists_[open_.back()].entries.push_back(entries_.size() - 1);
    return entries_.size() - 1;
  }
  // The token belongs to every entry that is open around it.
  void Extend(HtmlPosition at) {
    for (size_t list : open_) {
      lists_[list].last = at;
      if (const int entry = LastEntry(list); entry >= 0) entries_[entry].last = at;
    }
  }

  void Read(HtmlPosition at) {
    const CHtmlTagItem* tag = CHtmlTokenList::GetTagItem(at);
    if (tag == nullptr) {
      if (object_ >= 0) Extend(at);
      return;
    }
    if (IsList(*tag)) return ReadList(*tag, at);
    const uint32_t id = tag->GetTagId() & ~pagesift::kEndTagBit;
    if (id == pagesift::kTagListItem && !tag->IsEndTag()) {
      NewEntry(at);
      Extend(at);
    } else if (id == pagesift::kTagObject) {
      ReadObject(*tag, at);
    } else if (id == pagesift::kTagParam) {
      ReadParam(*tag, at);
    } else if (object_ >= 0) {
      Extend(at);
    }
  }

  void ReadList(const CHtmlTagItem& tag, HtmlPosition at) {
    if (tag.IsEndTag()) {
      if (open_.size() == 1) return;
      // The end tag belongs to the list and the entries around it, not to
      // the list's last entry.
      lists_[open_.back()].last = at;
      open_.pop_back();
      Extend(at);
      return;
    }
    const int parent = LastEntry(open_.back());
    lists_.push_back({});
    lists_.back().first = at;
    if (parent >= 0 && entries_[parent].children < 0) {
      entries_[parent].children = static_cast<int>(lists_.size() - 1);
      lists_.back().nested = true;
    }
    open_.push_back(lists_.size() - 1);
    Extend(at);
  }

  void ReadObject(const CHtmlTagItem& tag, HtmlPosition at) {
    if (tag.IsEndTag()) {
      if (object_ < 0) return;
      Extend(at);
      object_ = -1;
      return;
    }
    if (!SameWord(Attribute(tag, "type"), "text/sitemap")) return;
    int entry = LastEntry(open_.back());
    if (entry < 0 || entries_[entry].hasObject) entry = static_cast<int>(NewEntry(at));
    entries_[entry].hasObject = true;
    object_ = entry;
    Extend(at);
  }

  void ReadParam(const CHtmlTagItem& tag, HtmlPosition at) {
    if (object_ < 0) {
      if (IsParamNamed(tag, "Local")) looseLocals_.push_back(at);
      return;
    }
    Entry& entry = entries_[object_];
    if (IsParamNamed(tag, "Name")) {
      if (!entry.sawName) entry.name = Attribute(tag, "value");
      entry.pendingTitle = entry.sawName ? at : nullptr;
      entry.sawName = true;
    } else if (IsParamNamed(tag, "Local")) {
      entry.locals.push_back({at, entry.pendingTitle});
      entry.pendingTitle = nullptr;
    } else {
      entry.pendingTitle = nullptr;
    }
    Extend(at);
  }

  std::vector<size_t> open_;
  int object_ = -1;
};

class SitemapPruner {
 public:
  SitemapPruner(SitemapModel& model, const std::filesystem::path& folder,
                const LeftOutTopics& leftOut, std::vector<std::string>& removed)
      : model_(model), folder_(folder), leftOut_(leftOut), removed_(removed) {}

  void Run() {
    for (const EntryList& list : model_.lists_)
      if (!list.nested)
        for (size_t entry : list.entries) Prune(entry);
    for (HtmlPosition at : model_.looseLocals_) {
      const std::string_view value = Attribute(*CHtmlTokenList::GetTagItem(at), "value");
      if (leftOut_.Find(value, folder_) == nullptr) continue;
      at->DiscardToken();
      removed_.push_back(std::string(value));
    }
  }

 private:
  struct Outcome {
    bool stays = true;
    bool touched = false;
  };

  // Children first: whether a book stays depends on what it keeps.
  Outcome Prune(size_t index) {
    const Entry& entry = model_.entries_[index];
    size_t kept = 0, gone = 0;
    for (const LocalParam& local : entry.locals) {
      if (leftOut_.Find(Attribute(*CHtmlTokenList::GetTagItem(local.param), "value"), folder_)) {
        local.param->DiscardToken();
        if (local.title != nullptr) local.title->DiscardToken();
        ++gone;
      } else {
        ++kept;
      }
    }
    bool childStays = false, childTouched = false;
    if (entry.children >= 0) {
      for (size_t child : model_.lists_[entry.children].entries) {
        const Outcome outcome = Prune(child);
        childStays = childStays || outcome.stays;
        childTouched = childTouched || outcome.touched;
      }
    }
    if (gone == 0 && !childTouched) return {};
    const std::string name = entry.name.empty() ? "(unnamed entry)" : entry.name;
    if (kept > 0 || childStays) {
      if (gone > 0) removed_.push_back(name + (kept > 0 ? " (one of its links)" : " (its link)"));
      const EntryList* children = entry.children >= 0 ? &model_.lists_[entry.children] : nullptr;
      if (children != nullptr && !childStays) DiscardRange(children->first, children->last);
      return {true, true};
    }
    DiscardRange(entry.first, entry.last);
    removed_.push_back(name);
    return {false, true};
  }

  SitemapModel& model_;
  const std::filesystem::path& folder_;
  const LeftOutTopics& leftOut_;
  std::vector<std::string>& removed_;
};

}  // namespace

PrunedSitemap PruneSitemap(const std::string& bytes, const std::filesystem::path& folder,
                           const LeftOutTopics& leftOut) {
  PrunedSitemap pruned;
  if (leftOut.empty()) {
    pruned.bytes = bytes;
    return pruned;
  }
  CHtmlFileEx document(CByteString(bytes), nullptr);
  document.Analyse();
  SitemapModel model(document);
  SitemapPruner(model, folder, leftOut, pruned.removed).Run();
  if (pruned.removed.empty()) {
    pruned.bytes = bytes;
    return pruned;
  }
  MendWhitespace(*document.GetTokenList());
  CByteString saved;
  document.Save(saved, pagesift::kSaveHtml);
  pruned.bytes.assign(saved.View());
  return pruned;
}

}  // namespace bte::projectbuild
