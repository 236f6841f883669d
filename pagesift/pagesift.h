// The HTML library: everything a user of the library includes.
#ifndef PAGESIFT_PAGESIFT_H
#define PAGESIFT_PAGESIFT_H

#include "pagesift/byte_string.h"
#include "pagesift/containment_rules.h"
#include "pagesift/html_pack.h"
#include "pagesift/popup_anchor.h"
#include "pagesift/tag_codes.h"
#include "pagesift/token_item.h"
#include "pagesift/token_list.h"

#endif  // PAGESIFT_PAGESIFT_H
