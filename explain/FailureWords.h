#pragma once
// A file that cannot be found or opened, in words a desktop user acts on:
// what holds it, and what to do about it. The host's last-error text stays
// the system's; these words only stand beside it.
#include <string>
#include <string_view>

#include "explain/Host.h"
#include "query/TextFile.h"

namespace filedata::explain {

// The kind as a JSON word: "sharing violation", "access denied", ...
const char* FailureName(platform::TFileFailure kind);

// Why the present file NAME would not open, and what to do.
std::string OpenFailureDetail(std::string_view name, const TOpenFailure& failure, const THost& host);

// Why the search for NAME (FULLPATH in full) found nothing when the
// system's reason, KIND, is more than a missing file; empty otherwise.
std::string NotFoundReason(std::string_view name, std::string_view fullPath, platform::TFileFailure kind,
                           const THost& host);

}  // namespace filedata::explain
