#include "explain/FailureWords.h"

#include <algorithm>

#include "explain/AnswerWords.h"
#include "explain/Characters.h"

namespace filedata::explain {

namespace {
using platform::TFileFailure;

// NAME's length as the system's limit counts it.
std::size_t NameLength(std::string_view name, const THost& host) {
  return host.NameLimits.CountsBytes ? name.size() : CharacterCount(name, host);
}

std::string Counted(std::size_t count, const THost& host) {
  return std::to_string(count) + (host.NameLimits.CountsBytes ? " bytes" : " characters");
}

// The longest folder's name or file name of FULLPATH.
std::size_t LongestPart(std::string_view fullPath, const THost& host) {
  std::size_t longest = 0;
  while (!fullPath.empty()) {
    const std::size_t end = std::min(fullPath.find_first_of("\\/"), fullPath.size());
    longest = std::max(longest, NameLength(fullPath.substr(0, end), host));
    fullPath.remove_prefix(std::min(end + 1, fullPath.size()));
  }
  return longest;
}

std::string TooLong(std::string_view fullPath, const THost& host) {
  const platform::TNameLimits& limits = host.NameLimits;
  const std::size_t whole = NameLength(fullPath, host), part = LongestPart(fullPath, host);
  std::string said;
  if (whole > limits.WholeName) {
    said = "its full name is " + Counted(whole, host) + " long, and the system takes names of at most " +
           std::to_string(limits.WholeName) + " (" + limits.Name + ")";
  } else if (part > limits.OnePart) {
    said = "one part of its name is " + Counted(part, host) + " long, and the system takes at most " +
           std::to_string(limits.OnePart) + " for a folder's name or a file's";
  } else {
    said = "its name (" + Counted(whole, host) + " in full) is longer than the system takes";
  }
  return said + "; move the file to a folder with a shorter path, or shorten its name or its folders' names";
}

// A "?" in a name, which no Windows file name holds: most often a
// character the host's code page lacks, which the host's text holds as "?".
std::string QuestionMark(const THost& host) {
  std::string said = "no file name can hold \"?\"";
  if (host.CodePage == kUtf8CodePage) return said;
  return said + ", and a \"?\" in FILENAME is most often a character that " + host.TextName +
         " lacks, which the host turned into \"?\" before handing the name over: name the file and its folders "
         "with characters of " + host.TextName +
         " only, or set Windows' language for non-Unicode programs to one whose code page has them";
}

std::string InvalidName(std::string_view name, const THost& host) {
  if (name.find('?') != std::string_view::npos) return QuestionMark(host);
  if (name.find('*') != std::string_view::npos) {
    return "no file name can hold \"*\", which only the test for the file reads as a wildcard";
  }
  return "the system refuses the name as it is written";
}
}  // namespace

const char* FailureName(TFileFailure kind) {
  switch (kind) {
    case TFileFailure::Other: return "other";
    case TFileFailure::NotFound: return "not found";
    case TFileFailure::SharingViolation: return "sharing violation";
    case TFileFailure::AccessDenied: return "access denied";
    case TFileFailure::NameTooLong: return "name too long";
    case TFileFailure::InvalidName: return "invalid name";
  }
  return "";
}

std::string OpenFailureDetail(std::string_view name, const TOpenFailure& failure, const THost& host) {
  const std::string present = "the file is present but cannot be opened: ";
  switch (failure.Kind) {
    case TFileFailure::SharingViolation:
      return present +
             "another program has it open, to write to it or to keep it to itself, and the plug-in reads a file only "
             "while no program can write to it; a logger that keeps its file open as long as it runs makes every "
             "reading fail; have the program close the file after each write (ask its maker for such a setting), "
             "or have it write a copy for the plug-in to read";
    case TFileFailure::AccessDenied:
      return present +
             "the system denies this user account access to it, as the account may not read it (the Security tab "
             "of the file's Properties shows who may), the file is being deleted, or the name is now a folder's; "
             "let the account read the file, or keep the file where it may";
    case TFileFailure::NameTooLong: return present + TooLong(failure.FullPath, host);
    case TFileFailure::InvalidName: return present + InvalidName(name, host);
    case TFileFailure::NotFound:
      return present + "it was gone by the time it was opened (deleted, moved or renamed just then)";
    case TFileFailure::Other: break;
  }
  return present + "the system says " + Quoted(platform::SystemErrorText(failure.Code)) + " (code " +
         std::to_string(failure.Code) + ")";
}

std::string NotFoundReason(std::string_view name, std::string_view fullPath, TFileFailure kind, const THost& host) {
  switch (kind) {
    case TFileFailure::NameTooLong: return TooLong(fullPath, host);
    case TFileFailure::InvalidName: return InvalidName(name, host);
    case TFileFailure::AccessDenied: return "the system denies this user account a look into its folder";
    default: break;
  }
  // A lost character that stands for no file: the search takes "?" for any one character.
  if (name.find('?') != std::string_view::npos && host.CodePage != kUtf8CodePage) return QuestionMark(host);
  return "";
}

}  // namespace filedata::explain
