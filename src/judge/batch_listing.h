// The submissions of a batch, in the order given: a file as it is named, a folder as the files
// under it, sorted by name at every level.
#pragma once

#include <string>
#include <vector>

// Expands `given` into the paths to grade. In a folder, names that start with a dot are left
// out, and so is the folder `skip` (where the tables go); a link to a folder inside one is not
// followed, and like a folder that cannot be listed it stays one path, an unreadable one.
std::vector<std::string> ListSubmissions(const std::vector<std::string>& given,
                                         const std::string& skip);
