#pragma once
// VelModuleFile: what the host can learn about a module file before it hands it to the dynamic linker.
// A file that is no shared library of this machine, or that is cut short or damaged so that a part the
// linker maps lies beyond its end, is refused with a reason in plain words; the linker never sees it.

#include <QString>

namespace VelModuleFile {

// True when the file at `path` is a shared library for this machine whose header, segment table and
// every loaded segment lie inside the file. Otherwise false, and *reason (may be null) says what is wrong.
bool check(const QString& path, QString* reason);

} // namespace VelModuleFile
