// A parsed HTML document and the operations the conditional filter performs
// on it.
//
// Build tags in HTML: an element carries inline build tags in its attribute
// "data-buildtags" (names separated by "," or ";"); a topic carries
// topic-level build tags in <meta name="buildtags" content="...">. Analyse
// collects, in document order, the start tags that carry the attribute: the
// candidate positions.
#ifndef PAGESIFT_HTML_PACK_H
#define PAGESIFT_HTML_PACK_H

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "pagesift/byte_string.h"
#include "pagesift/pagesift_export.h"
#include "pagesift/tag_codes.h"
#include "pagesift/token_item.h"
#include "pagesift/token_list.h"

namespace bte::platform {
class ChangeWatch;
}
namespace pagesift {
class FolderListing;
struct TaggedTag;
}

class PAGESIFT_API CHtmlPack {
 public:
  CHtmlPack();
  CHtmlPack(const CHtmlPack&) = delete;
  CHtmlPack& operator=(const CHtmlPack&) = delete;
  virtual ~CHtmlPack();

  // Tokenizes the document (reading the file first when it was given by
  // path). Non-zero = parsed; 0 only when the file cannot be read. Any byte
  // string parses.
  int Analyse();
  // Writes the document to out (replacing its content). flag kSaveHtml
  // leaves out discarded tokens; kSaveWithDiscarded writes them too. A
  // document whose tokens were not changed is written back byte for byte.
  // Returns non-zero.
  int Save(CByteString& out, int flag) const;
  // Writes the document as Save does, but hands the text to put in pieces
  // of some tens of kilobytes, so that a large document is never held
  // twice. Stops at the first piece put refuses; non-zero when put took
  // every piece.
  int SaveInPieces(const std::function<bool(std::string_view piece)>& put, int flag) const;

  CHtmlTokenList* GetTokenList() { return &tokens_; }
  const CHtmlTokenList* GetTokenList() const { return &tokens_; }
  // Where the filter passes start walking: the body's start tag when there
  // is one, else null (walk from the head of the list).
  HtmlPosition GetStartPosition() const { return startPosition_; }
  // Start tags that carry inline build tags, in document order.
  size_t GetCandidateCount() const;
  HtmlPosition GetCandidatePosition(size_t index) const;
  // The tag at a position; null for text or a null position.
  CHtmlTagItem* GetTagItem(HtmlPosition position) const;

  // The end tag that closes the element started at position, skipping
  // discarded tokens and honouring nesting and the containment model (an
  // element whose end tag is omitted has none): null when there is none.
  HtmlPosition FindEndTagPosition(HtmlPosition position) const;
  // The last token of the element started at position: its end tag, or,
  // when the end tag is omitted, the last token it contains (the position
  // itself for an empty element). Null for a null or non-start position.
  HtmlPosition FindElementEnd(HtmlPosition position) const;

  int HasInlineBuildTags(const CHtmlTagItem* tag) const;
  // Non-zero when the tag carries inline build tags; text gets the list as
  // written (entities decoded).
  int GetInlineBuildTags(const CHtmlTagItem* tag, CByteString& text) const;
  // The topic-level build tags (empty when there are none). Non-zero when
  // the document declares them.
  int GetTopicBuildTags(CByteString& text) const;

  // Discards the element started at position with everything it contains
  // (a table's loose content, which HTML moves out of it, is not). Non-zero
  // when something was discarded.
  int DeleteEntity(HtmlPosition position);
  // Unwraps the link started at position: its start and end tag are
  // discarded (the whitespace written with them stays), its content stays.
  // Non-zero when the anchor was unwrapped.
  int DeleteAnchor(HtmlPosition position);

  // pagesift::kHref* for an href value.
  static int GetAnchorHrefType(const char* href);
  // pagesift::kHhctrl* for the object start tag at position (its command
  // is read from the "Command" param that follows it).
  int GetHhctrlCommandType(HtmlPosition position) const;
  // The file a relative link points at, resolved against the topic's folder
  // (fragment and query dropped, %XX decoded, "\" read as "/"); where the
  // exact name does not exist a name differing only in letter case is
  // taken. Empty for links with a scheme, absolute paths, links resolving
  // outside the project root and documents without a path.
  CByteString GetFilePathName(const char* link) const;
  // The topic's project root: set explicitly, else the nearest folder at or
  // above the topic's folder holding a project file (*.hhp), else the
  // topic's folder.
  void SetProjectRoot(const char* folder);
  std::string GetProjectRoot() const;
  const std::string& GetPath() const { return path_; }

  // Takes in the changes to files and folders that the library's change
  // watch (platform/change_watch.h) reported since: links resolved after it
  // see the folders as they are now. A document does it by itself before
  // its first folder listing, unless it was asked to already.
  void CatchUpWithChanges() const;
  // The library's change watch. A caller that remembers what it read from
  // files against it is brought up to date by the same CatchUpWithChanges:
  // one read of the watch's queue per document serves both.
  static bte::platform::ChangeWatch& LibraryChangeWatch();
  // For a program that reads its files and ends (platform/change_watch.h):
  // from now on what is read stands as read, without kernel watches, until
  // the next NewSnapshotOfFiles.
  static void UseSnapshotsOfFiles();
  static void NewSnapshotOfFiles();

  // Decodes character references (numeric and named) in length bytes of
  // text (-1: up to the first zero byte) into out. Returns non-zero.
  static int HtmlToText(CByteString& out, const char* text, int length);
  // Non-zero for an existing regular file.
  static int IsExistingFile(const char* path);

 protected:
  void SetSource(std::string bytes, bool loaded);
  void SetPath(const char* path);

 private:
  // The candidate tag is, if it is the next one in document order.
  const pagesift::TaggedTag* NextCandidateIfItIs(const CHtmlTagItem* tag) const;
  const pagesift::FolderListing& ListingOf(const std::string& folder) const;
  // Where the links of this document start from: the project root and the
  // topic's folder below it, worked out once per root.
  struct LinkBase {
    bool known = false;
    bool insideRoot = false;  // the topic's folder lies at or below the root
    std::string root;
    std::vector<std::string> below;  // the topic folder's segments below the root
    // reached[i]: the folder that below's first i segments lead to, each
    // matched as a link's would be, and its listing (null until asked);
    // filled as links need them.
    struct ReachedFolder {
      std::string path;
      const pagesift::FolderListing* listing = nullptr;
    };
    std::vector<ReachedFolder> reached;
  };
  const LinkBase& GetLinkBase() const;
  // The folder below's first count segments lead to, and its listing.
  const std::string& BaseFolder(size_t count) const;
  const pagesift::FolderListing& BaseFolderListing(size_t count) const;
  // GetFilePathName's answer worked out from the folders (empty: none).
  std::string ResolveLink(const char* link) const;

  // Writes the tokens to out; with put, hands out over (and empties it)
  // whenever it holds a piece.
  bool WriteTokens(CByteString& out, const std::function<bool(std::string_view)>* put, int flag) const;

  std::string source_;
  bool sourceLoaded_ = false;
  std::string path_;
  std::string projectRoot_;
  CHtmlTokenList tokens_;
  HtmlPosition startPosition_ = nullptr;
  std::vector<pagesift::TaggedTag> candidates_;
  mutable size_t nextCandidate_ = 0;  // NextCandidateIfItIs's
  const CHtmlTagItem* topicBuildTags_ = nullptr;  // <meta name="buildtags">
  mutable std::string foundProjectRoot_;
  // The folders this document's links were resolved in, each listed once
  // for the document: a topic links into the same few folders many times.
  mutable std::unordered_map<std::string, std::shared_ptr<const pagesift::FolderListing>>
      folderListings_;
  mutable LinkBase linkBase_;
  mutable bool caughtUp_ = false;
  // GetFilePathName's, kept for their storage: the key of a link's
  // remembered answer, its decoded path and views of that.
  mutable std::string linkKey_;
  mutable std::string linkPath_;
  mutable std::vector<std::string_view> linkSegments_;
};

class PAGESIFT_API CHtmlFileEx : public CHtmlPack {
 public:
  // A document from bytes; path (may be null) is where it lives, for
  // resolving its links.
  CHtmlFileEx(const CByteString& bytes, const char* path);
  // As above, taking over the bytes instead of copying them.
  CHtmlFileEx(CByteString&& bytes, const char* path);
  // A document read from a file by Analyse.
  explicit CHtmlFileEx(const char* path);
};

#endif  // PAGESIFT_HTML_PACK_H
