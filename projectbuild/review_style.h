// The marks of a review copy: class names and the one style element that
// shows them (excluded content struck through on a tinted background).
#ifndef BTE_PROJECTBUILD_REVIEW_STYLE_H
#define BTE_PROJECTBUILD_REVIEW_STYLE_H

namespace bte::projectbuild {

constexpr const char* kExcludedClass = "buildtags-excluded";
constexpr const char* kRemovedLinkClass = "buildtags-removed-link";
constexpr const char* kBannerClass = "buildtags-left-out";

constexpr const char* kReviewStyle =
    "\n.buildtags-excluded { text-decoration: line-through; background: #fde3e1;"
    " outline: 1px dashed #c0392b; }\n"
    ".buildtags-removed-link { text-decoration: line-through wavy #c0392b;"
    " background: #fff0c2; }\n"
    ".buildtags-left-out { background: #c0392b; color: #fff; font: bold 14px sans-serif;"
    " padding: 8px 12px; margin: 0 0 12px 0; }\n";

}  // namespace bte::projectbuild

#endif  // BTE_PROJECTBUILD_REVIEW_STYLE_H
