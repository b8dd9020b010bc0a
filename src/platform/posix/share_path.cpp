// Share paths as libsmbclient names them, and names between the ANSI code
// page and the UTF-8 that libsmbclient speaks.
#include <string>

#include "platform/posix/layer.h"
#include "platform/posix/nls_codepage.h"
#include "platform/posix/share_files.h"

namespace {

// text from one code page into another, through UTF-16; unchanged when
// both are UTF-8.
std::string Recode(const std::string& text, UINT from, UINT to) {
  if (ResolveCodePage(from) == ResolveCodePage(to) || text.empty()) return text;
  int wide = MultiByteToWideChar(from, 0, text.data(), (int)text.size(), nullptr, 0);
  std::u16string units(wide, u'\0');
  MultiByteToWideChar(from, 0, text.data(), (int)text.size(), units.data(), wide);
  int length = WideCharToMultiByte(to, 0, units.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string out(length, '\0');
  WideCharToMultiByte(to, 0, units.data(), wide, out.data(), length, nullptr, nullptr);
  return out;
}

// Every byte but letters, digits, "-._~" and "/" is percent-encoded, so that
// no name is read as a URL's options ("?"), its user part ("@") or an
// escape ("%").
void AppendEncoded(std::string& url, const std::string& utf8) {
  static const char kHex[] = "0123456789ABCDEF";
  for (unsigned char c : utf8) {
    bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                 c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
    if (plain) {
      url += (char)c;
    } else {
      url += '%';
      url += kHex[c >> 4];
      url += kHex[c & 15];
    }
  }
}

}  // namespace

std::string AnsiNameOf(const std::string& utf8) { return Recode(utf8, CP_UTF8, CP_ACP); }

std::string Utf8NameOf(const std::string& ansi) { return Recode(ansi, CP_ACP, CP_UTF8); }

std::string WithoutSeparator(const std::string& path) {
  return !path.empty() && path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
}

bool IsSharePath(const std::string& full) {
  return full.size() > 2 && full[0] == '\\' && full[1] == '\\' && full[2] != '?' && full[2] != '.' &&
         full[2] != '\\';
}

DWORD ShareUrl(const std::string& full, std::string& url) {
  size_t serverEnd = full.find('\\', 2);
  if (serverEnd == std::string::npos || serverEnd + 1 >= full.size()) return ERROR_BAD_NETPATH;
  std::string path = Utf8NameOf(full.substr(2));
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  url = "smb://";
  AppendEncoded(url, path);
  return ERROR_SUCCESS;
}
