#pragma once
// Saving without risk to what was there: the new content goes to a temporary
// file beside the target, which is renamed over the target only once the
// content is complete on disk. A failed save leaves the old file as it was
// and no temporary file behind. A replaced file keeps its permissions; a new
// one gets the usual ones (umask). Where the folder lets no file be created,
// an existing file is rewritten in place instead (and put back as it was
// should that fail), as is a target that is no regular file (a device). A
// symbolic link stays a link: the file it points to takes the new content.

#include <string>
#include <vector>

namespace corvellan {

// Every file the program writes (dimension files, pictures, CSV and text)
// goes through here. Writes `bytes` as the new content of `target`. Returns
// "" on success, otherwise the system's reason ("No space left on device").
// An existing file the user may not write is refused, not replaced.
std::string writeFileReplacing(const std::string& target, const std::vector<unsigned char>& bytes);
std::string writeFileReplacing(const std::string& target, const std::string& bytes);

} // namespace corvellan
