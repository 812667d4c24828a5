#pragma once
// The keys of the file view's JSON, spelled once: the plug-in writes them
// (FileViewWords.cpp, CutAdvice.cpp) and the tools read them.
namespace filedata::view_key {

inline constexpr char kAvailable[] = "available";  // false: only kDetail follows, saying why
inline constexpr char kDetail[] = "detail";
inline constexpr char kEncoding[] = "encoding";
inline constexpr char kFileSize[] = "fileSize";
inline constexpr char kReadThrough[] = "readThrough";
inline constexpr char kLineCount[] = "lineCount";  // null: the lines were not counted
// The first lines and the last, each {kLine, kFromEnd, kText, kCutShort}.
inline constexpr char kHead[] = "head";
inline constexpr char kTail[] = "tail";
inline constexpr char kLine[] = "line";        // from 1; null: not known
inline constexpr char kFromEnd[] = "fromEnd";  // 0 the last line; null: not known
inline constexpr char kText[] = "text";
inline constexpr char kCutShort[] = "cutShort";
// The lines between the head and the tail that are not listed:
// {kFrom, kTo, kDetail}, or null when none are left out.
inline constexpr char kSkipped[] = "skipped";
inline constexpr char kFrom[] = "from";
inline constexpr char kTo[] = "to";
inline constexpr char kNotes[] = "notes";      // plain lines for whoever picks a line
inline constexpr char kEnd[] = "end";          // a zero that ended the text, or null
inline constexpr char kPastEnd[] = "pastEnd";  // what lies below the last line
inline constexpr char kChoices[] = "choices";  // {kFromStart, kFromEnd}: which LINE stays right as the file grows
inline constexpr char kFromStart[] = "fromStart";
// The advice on a number's cut, or null: {kFragile, kLinesAlike, kStart,
// kLength (a sturdier cut, when there is one), kDetail}.
inline constexpr char kAdvice[] = "advice";
inline constexpr char kFragile[] = "fragile";
inline constexpr char kLinesAlike[] = "linesAlike";
inline constexpr char kStart[] = "start";
inline constexpr char kLength[] = "length";

}  // namespace filedata::view_key
