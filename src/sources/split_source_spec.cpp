#include <cstring>
#include <initializer_list>

#include "base/settings.h"
#include "base/bounded_text.h"
#include "sources/split_source_spec.h"

namespace {

constexpr size_t MaxSpecLength = 256;

void SetPart(SpecPart* part, const char* from, size_t count) {
  if (part) CopyTextN(*part, sizeof *part, from, count);
}

const char* LastBackslash(const char* text) { return strrchr(text, '\\'); }

void SplitUnc(const char* spec, const char* unc, SpecPart* domain, SpecPart* server,
              SpecPart* share, SpecPart* directory, SpecPart* file) {
  SetPart(domain, spec, (size_t)(unc - spec));
  const char* serverStart = unc + 2;
  const char* serverEnd = strchr(serverStart, '\\');
  if (!serverEnd) {
    SetPart(server, serverStart, strlen(serverStart));
    return;
  }
  SetPart(server, serverStart, (size_t)(serverEnd - serverStart));
  const char* shareStart = serverEnd + 1;
  const char* shareEnd = strchr(shareStart, '\\');
  if (!shareEnd) {
    SetPart(share, shareStart, strlen(shareStart));
    return;
  }
  SetPart(share, shareStart, (size_t)(shareEnd - shareStart));
  const char* rest = shareEnd + 1;
  const char* last = LastBackslash(rest);
  if (last && last > rest && directory) {
    // "\" + rest up to its last backslash + "\"
    char built[TextCapacity + 2];
    built[0] = '\\';
    CopyTextN(built + 1, sizeof built - 1, rest, (size_t)(last - rest));
    AppendText(built, "\\");
    CopyText(*directory, built);
  }
  const char* name = last ? last + 1 : rest;
  SetPart(file, name, strlen(name));
}

void SplitLocal(const char* spec, SpecPart* drive, SpecPart* directory, SpecPart* file) {
  const char* colon = strchr(spec, ':');
  const char* rest = spec;
  if (colon) {
    SetPart(drive, spec, (size_t)(colon - spec + 1));
    rest = colon + 1;
  }
  const char* last = LastBackslash(rest);
  if (!last) {
    SetPart(file, rest, strlen(rest));
    return;
  }
  SetPart(directory, rest, (size_t)(last - rest + 1));
  SetPart(file, last + 1, strlen(last + 1));
}

}  // namespace

bool SplitSourceSpec(const char* spec, SpecPart* domain, SpecPart* server, SpecPart* share,
                     SpecPart* drive, SpecPart* directory, SpecPart* file) {
  if (strlen(spec) > MaxSpecLength) return false;
  for (SpecPart* part : {domain, server, share, drive, directory, file}) {
    if (part) (*part)[0] = '\0';
  }
  const char* unc = strstr(spec, "\\\\");
  if (unc) {
    SplitUnc(spec, unc, domain, server, share, directory, file);
  } else {
    SplitLocal(spec, drive, directory, file);
  }
  return true;
}
