// Popup links: an anchor whose href calls a popup script with the topic to
// show, e.g. href="javascript:ShowPopup('glossary.htm#term')". The target is
// the first quoted argument of a javascript: call whose function name
// contains "popup" (any case).
#ifndef PAGESIFT_POPUP_ANCHOR_H
#define PAGESIFT_POPUP_ANCHOR_H

#include "pagesift/pagesift_export.h"

#include <string>

class PAGESIFT_API CHtmlPopupAnchorVORK {
 public:
  // Non-zero when href is a popup call with a non-empty target.
  static int IsValid(const char* href);
  explicit CHtmlPopupAnchorVORK(const char* href);
  // The target as written (empty when href is no popup call).
  const char* GetTarget() const { return target_.c_str(); }

 private:
  std::string target_;
};

#endif  // PAGESIFT_POPUP_ANCHOR_H
