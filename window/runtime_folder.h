// The program never makes a runtime folder.
//
// While QApplication starts, Qt looks for "flatpak-info" in the user's
// runtime folder (QStandardPaths::RuntimeLocation), and asking for that
// folder makes it when it is missing: the folder XDG_RUNTIME_DIR names, or,
// when XDG_RUNTIME_DIR is unset or names a folder Qt may not use,
// <temporary folder>/runtime-<user>. Without a usable XDG_RUNTIME_DIR (a
// bare X session, su, some ssh logins) the program would leave
// /tmp/runtime-<user> behind. The program writes nothing, so in that case
// the environment is told, before Qt starts, that there is no runtime folder
// and no temporary folder to make one in: the look-up finds nothing, and Qt
// goes on without a runtime folder, saying so on standard error.
#pragma once

namespace vorelka::window {

// The value written into TMPDIR when there is no usable runtime folder: it
// exists for every user but is no folder, so nothing can be made inside it.
// The program keeps no temporary files of its own.
inline constexpr char kNoTemporaryFolder[] = "/dev/null";

// True when `path` names a folder Qt takes as the runtime folder without
// changing anything: a directory, not a symbolic link, owned by the
// effective user, and with access mode 0700.
bool IsUsableRuntimeFolder(const char* path);

// True when Qt, asked for the runtime folder, would have to make one:
// XDG_RUNTIME_DIR is unset, empty or not IsUsableRuntimeFolder().
bool RuntimeFolderWouldBeMade();

// Run before QApplication: when RuntimeFolderWouldBeMade(), removes an
// XDG_RUNTIME_DIR that names nothing at all (Qt would make that very folder)
// and sets TMPDIR to kNoTemporaryFolder. Otherwise leaves the environment as
// it is.
void KeepFromMakingRuntimeFolder();

}  // namespace vorelka::window
