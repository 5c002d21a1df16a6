// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace xmascard::media {

// Checks that a file is a SoundFont 2 bank that FluidSynth's own loader takes, before it is
// handed to FluidSynth: a file its SoundFont loader refuses goes on to its other loader
// (libinstpatch's, for DLS banks), which prints GLib CRITICAL lines about it. The file is
// read with the guarantees of io::RegularFile (no FIFO or device, no blocking). Checks the
// RIFF layout (sizes that match the file, the INFO, sdta and pdta lists in order), the
// version, and the nine preset, instrument and sample tables: in order, of whole records,
// each ending with its terminal record, their indices into each other in range, and the
// instruments and samples their zones name there. Returns the reason it is refused, or "".
std::string checkSoundFontFile(const std::string& path);

}  // namespace xmascard::media
