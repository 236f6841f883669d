// The one place where the tool reaches past the module's public interface,
// for what a host cannot learn through it:
// - an expression's normalized and postfix forms, the tags it names, and
//   why the parser keeps everything for it;
// - how a tag list in a topic or annotation splits into names;
// - the build-tag ranges of an RTF document, the pieces the RTF filter cuts
//   it into (for a review copy), and why the filter refused one (it answers
//   only 0 or 1);
// - the time stamps of global expressions (records carry no stamp);
// - whether the manager's last write reached the file (it answers success
//   either way), and a target's expression written as the manager writes
//   one (hosts keep their targets' expressions themselves);
// - a system string in the process code page (hosts use their platform's
//   conversion).
// Everything else goes through buildtagexpr.h as a host's code would.
#ifndef BTE_PROJECTBUILD_BEYOND_INTERFACE_H
#define BTE_PROJECTBUILD_BEYOND_INTERFACE_H

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "buildtagexpr.h"
#include "buildtagexpr_host.h"

namespace bte::projectbuild {

struct ExpressionForms {
  bool valid = false;  // the parser accepts it and its compiled form is usable
  std::string normalized;
  std::vector<std::string> postfix;  // operands and "~", "&", "|"
  // When not valid: what is wrong ("AND has nothing after it"), and where
  // the operator at fault is written in the expression.
  std::string fault;
  size_t faultAt = 0, faultLength = 0;
};
ExpressionForms DescribeExpression(const std::string& expression);
// Whether an item of ExpressionForms::postfix is an operator.
bool IsPostfixOperator(const std::string& item);

// The operands of the expression, folded to lower case.
std::vector<std::string> FoldedExpressionTags(const std::string& expression);

// The names of a tag list separated by "," or ";", blanks around them
// removed, empty names left out.
std::vector<std::string_view> TagListNames(std::string_view list);
std::string FoldedTag(std::string_view name);

// One build-tag annotation: the number of the range it describes (0 when it
// refers to none) and its tag text.
struct RtfTaggedRange {
  uint32_t number = 0;
  std::string tagText;
};
// In the order the ranges open; false with the reason when the markup is
// malformed.
bool ListRtfTaggedRanges(std::string_view rtf, std::vector<RtfTaggedRange>& ranges,
                         std::string& error);
// A filtered document, left in the buffer the filter wrote it to: documents
// run to tens of megabytes, and a copy would cost as much as a scan of them.
struct FilteredRtf {
  host::ComPtr<IFilterOutputBuffer> buffer;
  std::string_view bytes;
};
// Filters a whole RTF document for parser (null: every tagged piece goes)
// into filtered; false with the reason the filtering itself gives when it
// refuses the document, e.g. "range end 7 names no open range (at byte 120)".
bool FilterRtfDocument(std::string_view rtf, IBuildTagExprParser* parser,
                       FilteredRtf& filtered, std::string& error);
// The same, handing the filtered document to put in pieces, so that it is
// never held whole. On a refusal a part may have been handed on.
bool FilterRtfDocumentInPieces(std::string_view rtf, IBuildTagExprParser* parser,
                               const std::function<bool(std::string_view)>& put,
                               std::string& error);

// The document cut as the RTF filter cuts it, for a review copy: content
// (excluded or not), build-tag markers, and build-tag annotations with the
// tags of their range and whether the range's content is excluded.
struct RtfPiece {
  enum class Kind { kContent, kMarker, kAnnotation };
  Kind kind = Kind::kContent;
  size_t offset = 0, length = 0;
  bool excluded = false;
  std::string tagText;  // annotations only
};
bool ListRtfPieces(const std::string& rtf, IBuildTagExprParser* parser,
                   std::vector<RtfPiece>& pieces, std::string& error);

// Stamp ("YYYY:MM:DD:hh:mm:ss") of each global expression the manager's
// list holds, by expression text.
std::map<std::string, std::string> GlobalExpressionStamps(IBuildTagExprManager* manager);

// False when the writes of the manager's last writing operation did not
// reach its file. The manager must come from this module's factory.
bool ManagerWriteSucceeded(IBuildTagExprManager* manager);

// Writes "BuildExpression" of the section "Target:<target>" in the project
// file at path, as the manager does; false when the file could not be
// replaced or the target name is empty.
bool WriteTargetExpressionToFile(const std::string& path, const std::string& target,
                                 const std::string& expression);

// The text of a system string in the process code page; null reads as "".
std::string MultiByteFromSystemString(BSTR text);

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_BEYOND_INTERFACE_H
