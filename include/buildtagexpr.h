// buildtagexpr: conditional content for help authoring.
//
// The one header a host compiles against. The module hands out five kinds of
// reference-counted objects through the factories at the end of this file.
// Every interface starts with QueryInterface, AddRef and Release, keeps its
// operations in the fixed order below, and ends with the object's virtual
// destructor. A factory's object carries one reference for the caller, who
// gives it back with Release.
//
// Results: 0 (S_OK) is success and, for yes/no queries, "yes"; 1 (S_FALSE)
// is "no", and also the answer to a null or empty argument where an
// operation says so. QueryInterface answers E_NOTIMPL on every object except
// the IEnumString results of the manager.
//
// Strings are byte strings in the process code page (UTF-8 on POSIX) unless
// an operation says wide; wide results are system strings (free them with
// SysFreeString) or task-allocator blocks (free them with CoTaskMemFree).
#ifndef BUILDTAGEXPR_H
#define BUILDTAGEXPR_H

#include <cstdint>
#include <stdexcept>
#include <string>

#include "buildtagexpr_export.h"
#ifdef _WIN32
#include <objidl.h>
#include <oleauto.h>
#else
#include "buildtagexpr_com.h"
#endif

// The string enumerator has no further strings (no platform name).
#define BTE_E_NO_MORE_STRINGS ((HRESULT)0x80FF0FFF)

// A parsed HTML document of the HTML parsing library.
class CHtmlFileEx;

// Compiles one build tag expression and decides, per tag set, whether content
// is kept. Tag sets name tags separated by ";", case and surrounding blanks
// ignored; an empty tag set is untagged content and always kept.
struct IBuildTagExprParser : IUnknown {
  // 0 = content with this tag set is kept (also for null), 1 = excluded.
  virtual HRESULT BTE_CALL IsIncluded(const char* tagSet) = 0;
  // Remembers the answer per distinct tag set string while on. Returns 1.
  virtual HRESULT BTE_CALL EnableCache(int32_t enable) = 0;
  // 0 = the expression text is empty, 1 = it is not.
  virtual HRESULT BTE_CALL IsEmpty() = 0;
  // 0 = the text passed the syntax check, 1 = it did not.
  virtual HRESULT BTE_CALL IsValid() = 0;
  // 1 for a null text, else 0; changes nothing.
  virtual HRESULT BTE_CALL CompareNormalizedText(const char* text, int32_t length) = 0;
  // 0 = the tag is an operand of the expression (case counts), 1 = not.
  virtual HRESULT BTE_CALL UsesTag(const char* tag) = 0;

 protected:
  virtual ~IBuildTagExprParser() = default;
};

// One stored expression with the targets that use it. Owns its copies.
struct IBuildTagExprRecord : IUnknown {
  // Copies the text with its terminator; 1 when buffer is null or too small.
  virtual HRESULT BTE_CALL GetExpression(char* buffer, uint32_t size) = 0;
  // Copies at most size bytes of the ";"-joined target names; 1 for null.
  virtual HRESULT BTE_CALL GetTargets(char* buffer, uint32_t size) = 0;

 protected:
  virtual ~IBuildTagExprRecord() = default;
};

// All stored expressions: target expressions in file order, then globals.
struct IBuildTagExprList : IUnknown {
  // As GetNextRecord; 1 for a null out-pointer.
  virtual HRESULT BTE_CALL GetRecord(IBuildTagExprRecord** record) = 0;
  // 0 and one record per entry in order (caller releases it); 1 and null at
  // the end.
  virtual HRESULT BTE_CALL GetNextRecord(IBuildTagExprRecord** record) = 0;

 protected:
  virtual ~IBuildTagExprList() = default;
};

// The expressions of one project, kept in its project expression file.
// Every operation re-reads the file; nothing is cached between calls.
struct IBuildTagExprManager : IUnknown {
  // 0 = saved; 1 for null, blank, or a text already stored anywhere.
  virtual HRESULT BTE_CALL AddGlobalExpression(const char* expression) = 0;
  // 0 (also when nothing matched); 1 for null or blank.
  virtual HRESULT BTE_CALL RemoveGlobalExpression(const char* expression) = 0;
  // 0 with a freshly loaded list holding one reference; 1 for null.
  virtual HRESULT BTE_CALL GetExpressionList(IBuildTagExprList** list) = 0;
  // Renames a tag in every stored expression. E_INVALIDARG for null.
  virtual HRESULT BTE_CALL RenameTag(const char* oldTag, const char* newTag) = 0;
  // Deletes a tag from every stored expression. E_INVALIDARG for null.
  virtual HRESULT BTE_CALL DeleteTag(const char* tag) = 0;
  // The project's target names separated by "|". Always 0.
  virtual HRESULT BTE_CALL SetTargetNames(const char* names) = 0;
  // Targets whose expression a rename would change.
  virtual HRESULT BTE_CALL GetTargetsForRename(const char* oldTag, const char* newTag,
                                               IEnumString** targets) = 0;
  // Targets whose expression uses the tag; 1 for an empty tag.
  virtual HRESULT BTE_CALL GetTargetsUsingTag(const char* tag, IEnumString** targets) = 0;

 protected:
  virtual ~IBuildTagExprManager() = default;
};

// Removes excluded elements from HTML topics and repairs what removal leaves.
struct IBuildTagExprFilter : IUnknown {
  // Borrows the host's parser (no reference taken). Returns 0.
  virtual HRESULT BTE_CALL SetParser(IBuildTagExprParser* parser) = 0;
  // Creates and owns a parser for the text; null keeps the current one.
  virtual HRESULT BTE_CALL SetExpression(const char* expression) = 0;
  // Filters an analysed document in place. 0 done, 1 failed.
  virtual HRESULT BTE_CALL FilterDocument(CHtmlFileEx& document) = 0;
  // Filters a topic's text into a new system string. 0 done, 1 failed.
  virtual HRESULT BTE_CALL FilterText(const OLECHAR* html, BSTR* result) = 0;
  // As FilterText, also removing links to excluded topics.
  virtual HRESULT BTE_CALL FilterTextWithLinks(const OLECHAR* html, BSTR* result) = 0;
  // As FilterDocument, also removing links to excluded topics.
  virtual HRESULT BTE_CALL FilterDocumentWithLinks(CHtmlFileEx& document) = 0;

 protected:
  virtual ~IBuildTagExprFilter() = default;
};

// A reference-counted byte buffer holding an RTF filter result.
struct IFilterOutputBuffer : IUnknown {
  // Stores the bytes (followed by a zero byte) and their count. Returns 0.
  virtual HRESULT BTE_CALL GetData(char** data, uint32_t* length) = 0;

 protected:
  virtual ~IFilterOutputBuffer() = default;
};

// Thrown by IRTFBuildTagExprFilter::FilterFile when its input file cannot be
// opened or read; every other failure is reported as a result code.
class BuildTagExprFileError : public std::runtime_error {
 public:
  BuildTagExprFileError(const std::string& path, int systemError)
      : std::runtime_error("cannot read " + path), path_(path), systemError_(systemError) {}
  const std::string& path() const { return path_; }
  // The operating system's error number (errno on POSIX).
  int systemError() const { return systemError_; }

 private:
  std::string path_;
  int systemError_;
};

// Removes excluded content and build-tag annotations from RTF documents.
struct IRTFBuildTagExprFilter : IUnknown {
  // Borrows the host's parser. E_FAIL when a parser is already held.
  virtual HRESULT BTE_CALL SetParser(IBuildTagExprParser* parser) = 0;
  // Creates and owns a parser. E_FAIL when one is held or the text is null.
  virtual HRESULT BTE_CALL SetExpression(const char* expression) = 0;
  // Filters a file into another. 0 or E_FAIL; an unreadable input throws
  // BuildTagExprFileError.
  virtual HRESULT BTE_CALL FilterFile(const char* inputPath, const char* outputPath) = 0;
  // Filters RTF text into a new buffer (caller releases it). 0 or 1.
  virtual HRESULT BTE_CALL FilterBuffer(const char* rtf, uint32_t length,
                                        IFilterOutputBuffer** result) = 0;
  // Tells whether the RTF is a build-tag annotation and hands back its tags.
  virtual HRESULT BTE_CALL GetAnnotationTags(const char* rtf, uint32_t length,
                                             uint32_t* isBuildTagAnnotation,
                                             IFilterOutputBuffer** tags) = 0;

 protected:
  virtual ~IRTFBuildTagExprFilter() = default;
};

// Implemented by the host: the editor asks it for a parent window and help.
struct IBuildTagExprEditorHost : IUnknown {
  virtual HRESULT BTE_CALL GetParentWindow(HWND* window) = 0;
  virtual HRESULT BTE_CALL ShowHelp(uint32_t helpContext) = 0;
};

// A modal dialog in which the author builds one expression.
struct IBuildTagExprEditor : IUnknown {
  // Stores the host (not reference-counted). Returns 0.
  virtual HRESULT BTE_CALL SetHost(IBuildTagExprEditorHost* host) = 0;
  // Adds a known tag; 1 for null or empty.
  virtual HRESULT BTE_CALL AddTag(const char* tag) = 0;
  // Replaces the expression; 1 for null.
  virtual HRESULT BTE_CALL SetExpression(const char* expression) = 0;
  // A new system string with the expression (caller frees it); 1 for null.
  virtual HRESULT BTE_CALL GetExpression(BSTR* expression) = 0;
  // Runs the dialog. 0 = OK (expression updated), 1 = cancelled.
  virtual HRESULT BTE_CALL Edit(int32_t unused) = 0;

 protected:
  virtual ~IBuildTagExprEditor() = default;
};

extern "C" {
// Each factory: 1 for a null out-pointer; otherwise stores the new object
// with one reference and returns 0.
BTE_API HRESULT BTE_CALL CreateBuildTagExprParserInstance(IBuildTagExprParser** parser,
                                                          const char* expression);
BTE_API HRESULT BTE_CALL CreateBuildTagExprManagerInstance(IBuildTagExprManager** manager,
                                                           const char* projectFile);
BTE_API HRESULT BTE_CALL CreateBuildTagExprFilterInstance(IBuildTagExprFilter** filter);
BTE_API HRESULT BTE_CALL CreateRTFBuildTagExprFilterInstance(IRTFBuildTagExprFilter** filter);
BTE_API HRESULT BTE_CALL CreateBuildTagExprEditorInstance(IBuildTagExprEditor** editor);

// Copies the two strings that mark a build-tag annotation. 1 when both were
// copied; 0 and nothing written unless idSize > 8 and authorSize > 22.
BTE_API int32_t BTE_CALL GetRTFBuildTagIdentidy(char* idBuffer, uint32_t idSize,
                                                char* authorBuffer, uint32_t authorSize);
}

#endif  // BUILDTAGEXPR_H
