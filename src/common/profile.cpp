#include "common/profile.h"

namespace vorlan {

// How the platform's private-profile reader and writer treat a file, as far as
// this program depends on it. Every rule lives in this block.
//
// Lines
//  * A line ends at CR LF, at LF or at a lone CR; the last line needs no end.
//  * Blanks in the file are space, tab and vertical tab. They are stripped
//    before the '[' or ';' that starts a line, inside the brackets around a
//    section name, around a key and around a value.
//  * A line whose first non-blank byte is '[' opens a section. The name runs to
//    the first ']' or, when there is none, to the line end; whatever follows
//    the ']' is ignored.
//  * A line whose first non-blank byte is ';' is a comment. It is never a key,
//    not even for a request whose name starts with ';'.
//  * Every other non-blank line is a key line: the key is what stands before
//    the first '=', the value what follows it. A line without '=' is a key with
//    an empty value.
//  * Key lines before the first section header belong to no section and are
//    never found.
//
// Requests
//  * A requested section or key name is taken up to its first NUL (the
//    platform's parameters are C strings) and stripped of leading and trailing
//    spaces only: a tab at its end stays part of the name and then matches
//    nothing, as with the platform.
//  * Names match byte for byte, except that ASCII letters match either case.
//  * Only the first section of a name is searched (keys in a later section of
//    the same name are not seen), and the first key of a name in it wins.
//  * Value: blanks stripped; then one pair of enclosing quotes removed when the
//    value starts and ends with the same quote (' or "); then cut to
//    kProfileValueLimit bytes; then taken up to its first NUL.
//
// Writing
//  * Section and key are prepared as for a request; the value is written as
//    given (up to its first NUL), leading blanks included.
//  * An existing key gets the bytes after its '=' replaced (a key line without
//    '=' gets "=" and the value appended); key and line end stay as they were.
//  * A new key becomes one line "key=value" after the last non-blank line of
//    the first section of that name, so blank lines between sections stay.
//  * A new section is appended at the end of the file: "[section]" and the key
//    line, with a line end first when the file does not end in one.
//  * New lines end in the file's own line-end style (that of its first line
//    end), CR LF when it has none.
//
// Code page 932
//  * Lead bytes 0x81-0x9F and 0xE0-0xFC take the next byte with them. Of the
//    bytes the rules look for, only '[', ']' and ASCII letters can be the trail
//    byte of a double-byte character, so only the search for ']', the letter
//    folding and the length cut walk characters. CR, LF, blanks, '=', ';',
//    quotes and NUL are never trail bytes of valid text and are found byte by
//    byte. Invalid text is walked by the same rule and cannot stop the walk.

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool IsFileBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }
bool IsRequestBlank(char c) { return c == ' '; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

bool IsLeadByte(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 0x81 && u <= 0x9F) || (u >= 0xE0 && u <= 0xFC);
}

// Bytes of the character at i; a lead byte at the very end stands alone.
std::size_t CharSize(std::string_view s, std::size_t i) {
  return IsLeadByte(s[i]) && i + 1 < s.size() ? 2 : 1;
}

char FoldLetter(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view TrimFileBlanks(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsFileBlank(s[b])) ++b;
  while (e > b && IsFileBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::string_view UpToNul(std::string_view s) {
  const std::size_t nul = s.find('\0');
  return nul == npos ? s : s.substr(0, nul);
}

std::string_view RequestName(std::string_view name) {
  name = UpToNul(name);
  std::size_t b = 0, e = name.size();
  while (b < e && IsRequestBlank(name[b])) ++b;
  while (e > b && IsRequestBlank(name[e - 1])) --e;
  return name.substr(b, e - b);
}

bool NamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  std::size_t i = 0;
  while (i < a.size()) {
    if (CharSize(a, i) == 2) {
      // Both bytes of a double-byte character must be equal; the trail byte
      // may look like a letter but is never folded.
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      i += 2;
    } else {
      if (FoldLetter(a[i]) != FoldLetter(b[i])) return false;
      ++i;
    }
  }
  return true;
}

struct Line {
  std::size_t begin;  // first byte of the content
  std::size_t end;    // one past the content (where the line end starts)
  std::size_t next;   // first byte of the next line
};

Line LineAt(std::string_view bytes, std::size_t pos) {
  const std::size_t n = bytes.size();
  std::size_t end = pos;
  while (end < n && !IsLineEnd(bytes[end])) ++end;
  std::size_t next = end;
  if (next < n) next += (bytes[next] == '\r' && next + 1 < n && bytes[next + 1] == '\n') ? 2 : 1;
  return {pos, end, next};
}

enum class LineKind { Blank, Section, Comment, Key };

struct ParsedLine {
  LineKind kind = LineKind::Blank;
  std::string_view name;        // section name or key, blanks stripped
  std::size_t equals = npos;    // offset of '=' in the content, for key lines
};

ParsedLine ParseLine(std::string_view content) {
  ParsedLine p;
  std::size_t i = 0;
  while (i < content.size() && IsFileBlank(content[i])) ++i;
  if (i == content.size()) return p;
  if (content[i] == '[') {
    const std::size_t start = i + 1;
    std::size_t j = start;
    while (j < content.size() && content[j] != ']') j += CharSize(content, j);
    p.kind = LineKind::Section;
    p.name = TrimFileBlanks(content.substr(start, j - start));
    return p;
  }
  if (content[i] == ';') {
    p.kind = LineKind::Comment;
    return p;
  }
  p.kind = LineKind::Key;
  p.equals = content.find('=', i);
  p.name = TrimFileBlanks(content.substr(i, p.equals == npos ? npos : p.equals - i));
  return p;
}

std::string ValueOf(std::string_view content, std::size_t equals) {
  if (equals == npos) return {};
  std::string_view v = TrimFileBlanks(content.substr(equals + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  std::size_t cut = 0;
  while (cut < v.size()) {
    const std::size_t c = CharSize(v, cut);
    if (cut + c > kProfileValueLimit) break;
    cut += c;
  }
  return std::string(UpToNul(v.substr(0, cut)));
}

std::string_view LineEndStyle(std::string_view bytes) {
  const std::size_t i = bytes.find_first_of("\r\n");
  if (i == npos) return "\r\n";
  if (bytes[i] == '\n') return "\n";
  return i + 1 < bytes.size() && bytes[i + 1] == '\n' ? "\r\n" : "\r";
}

}  // namespace

ProfileIndex::ProfileIndex(std::string_view bytes) : bytes_(bytes) {
  std::size_t pos = 0;
  while (pos < bytes_.size()) {
    const Line line = LineAt(bytes_, pos);
    const std::string_view content = bytes_.substr(line.begin, line.end - line.begin);
    // Only headers are of interest here; a cheap look at the first non-blank
    // byte spares the full parse of every key line.
    std::size_t i = 0;
    while (i < content.size() && IsFileBlank(content[i])) ++i;
    if (i < content.size() && content[i] == '[')
      sections_.push_back({line.begin, line.next, ParseLine(content).name});
    pos = line.next;
  }
}

const ProfileIndex::Section* ProfileIndex::FindSection(std::string_view name) const {
  for (const Section& s : sections_)
    if (NamesEqual(s.name, name)) return &s;
  return nullptr;
}

std::size_t ProfileIndex::BodyEnd(const Section& section) const {
  const std::size_t at = static_cast<std::size_t>(&section - sections_.data());
  return at + 1 < sections_.size() ? sections_[at + 1].line_begin : bytes_.size();
}

std::string ProfileIndex::Get(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(RequestName(section));
  if (s == nullptr) return {};
  key = RequestName(key);
  const std::size_t end = BodyEnd(*s);
  for (std::size_t pos = s->body_begin; pos < end;) {
    const Line line = LineAt(bytes_, pos);
    const std::string_view content = bytes_.substr(line.begin, line.end - line.begin);
    const ParsedLine p = ParseLine(content);
    if (p.kind == LineKind::Key && NamesEqual(p.name, key)) return ValueOf(content, p.equals);
    pos = line.next;
  }
  return {};
}

std::string ProfileRead(std::string_view bytes, std::string_view section, std::string_view key) {
  return ProfileIndex(bytes).Get(section, key);
}

std::string ProfileWrite(std::string_view bytes, std::string_view section, std::string_view key,
                         std::string_view value) {
  section = RequestName(section);
  key = RequestName(key);
  value = UpToNul(value);
  const std::string_view eol = LineEndStyle(bytes);
  const ProfileIndex index(bytes);

  std::string out;
  out.reserve(bytes.size() + section.size() + key.size() + value.size() + 8);

  const ProfileIndex::Section* s = index.FindSection(section);
  if (s == nullptr) {
    out.append(bytes);
    if (!out.empty() && !IsLineEnd(out.back())) out.append(eol);
    out.append("[").append(section).append("]").append(eol);
    out.append(key).append("=").append(value).append(eol);
    return out;
  }

  // The header is the section's first non-blank line.
  Line last = LineAt(bytes, s->line_begin);
  const std::size_t end = index.BodyEnd(*s);
  for (std::size_t pos = s->body_begin; pos < end;) {
    const Line line = LineAt(bytes, pos);
    const std::string_view content = bytes.substr(line.begin, line.end - line.begin);
    const ParsedLine p = ParseLine(content);
    if (p.kind == LineKind::Key && NamesEqual(p.name, key)) {
      const std::size_t from = p.equals == npos ? line.end : line.begin + p.equals + 1;
      out.append(bytes.substr(0, from));
      if (p.equals == npos) out.append("=");
      out.append(value);
      out.append(bytes.substr(line.end));
      return out;
    }
    if (p.kind != LineKind::Blank) last = line;
    pos = line.next;
  }

  // After the last non-blank line; when that line is the file's last and has
  // no line end, the new line needs one before it.
  const bool has_end = last.next > last.end;
  out.append(bytes.substr(0, last.next));
  if (!has_end) out.append(eol);
  out.append(key).append("=").append(value).append(eol);
  out.append(bytes.substr(last.next));
  return out;
}

}  // namespace vorlan
