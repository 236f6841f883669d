// Folder listings for resolving links, read once and remembered with the
// folder's stamp: a folder whose entries change gets a new modification
// time, so a remembered listing is used only while it is still what
// listing the folder would give. Shared by every document of the process
// (topics of one project link into the same few folders) and safe to use
// from several threads.
#ifndef PAGESIFT_FOLDER_LISTINGS_H
#define PAGESIFT_FOLDER_LISTINGS_H

#include <string>

namespace pagesift {

// The entry of folder whose name equals name ignoring ASCII letter case
// (the first such entry the folder lists); empty when there is none.
std::string FindEntryIgnoringCase(const std::string& folder, const std::string& name);
// True when folder holds a help project file (*.hhp, any case).
bool HoldsProjectFile(const std::string& folder);

}  // namespace pagesift

#endif  // PAGESIFT_FOLDER_LISTINGS_H
