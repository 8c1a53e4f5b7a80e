// The desktop's two stores, each one file: the settings text in the registry export format (see
// seam/registry.h for the text itself) and the game in progress (model/kept_game.h),
//   $XDG_CONFIG_HOME/Kestory/Mirovane.reg    (default ~/.config/Kestory/Mirovane.reg)
//   $XDG_STATE_HOME/Kestory/Mirovane.game    (default ~/.local/state/Kestory/Mirovane.game)
// The Qt desktop installs these as its host's store operations. Both follow the same rules:
// - Reading never writes anything. No file means nothing stored; a file larger than its limit
//   (kSettingsFileLimit, kKeptGameTextLimit), or one that cannot be read (a folder, a pipe), is never
//   parsed.
// - Writing creates the folder when needed and replaces the whole file atomically: the text goes to a
//   temporary file in the same folder, is flushed to disk, and is renamed over the old file, so that a
//   crash leaves either the old file or the new one. When the file's path is a symbolic link, the
//   file it leads to is replaced that way and the link stays. A write that cannot finish (a full
//   disk, a file-size limit) leaves the old file as it was.
#pragma once

#include <cstdint>
#include <string>

#include "seam/host.h"

// Where the settings file lives now (read from the environment at every call).
std::string SettingsFilePath();

SettingsRead ReadSettingsFile(std::string& text);
// ERROR_SUCCESS, or the registry's error code for what went wrong.
int32_t WriteSettingsFile(const std::string& text);

// The kept game's file, likewise; an empty text removes the file (through a symbolic link, the file it
// leads to).
std::string KeptGameFilePath();
SettingsRead ReadKeptGameFile(std::string& text);
int32_t WriteKeptGameFile(const std::string& text);

// Tests: `hook` runs in every save after the temporary file is written and flushed, just before it is
// renamed over the old file; null for none.
void SetBeforeRenameHook(void (*hook)());
