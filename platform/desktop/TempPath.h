#pragma once
// The temporary folder. The platform's is the user's own, so here it is a folder that only the
// user can enter: $TMPDIR when that is already such a folder, else a folder of the user's own
// below it (or below /tmp), "jokepad-<uid>", made with mode 0700. A shared folder such as /tmp
// itself is never given: another user could plant links or files there under our names.

#include <string>

// The folder's path with a trailing '/'; empty, and the reason in *error, when no private folder
// can be had (someone else owns the one we would use, it is open to others, or it is a link).
std::string PrivateTempPath(std::string* error);
