// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string>

namespace tj {

// The four car colours, in the order the setup offers them (0 blue .. 3 white). The setup
// shows the stored pictures; the board's track shows the picture files of the colour chosen.
struct CarColour {
  const char* word;    // start of the setup's choice key, e.g. "rot" in "rot1"
  const char* file;    // "\autos\<file> rechts.gif" and "... links.gif" in the program folder
  const char* stored;  // stored 71 x 33 picture, facing left
  const char* name;    // what a screen reader calls the car
};

inline constexpr std::array<CarColour, 4> kCarColours{{
    {"blau", "blaues auto", "auswahl_blau.gif", "blaues Auto"},
    {"gelb", "gelbes auto", "auswahl_gelb.gif", "gelbes Auto"},
    {"rot", "rotes auto", "auswahl_rot.gif", "rotes Auto"},
    {"weiss", "weisses auto", "auswahl_weiss.gif", "weißes Auto"},
}};

// The program-folder literal of colour `colour`'s car picture facing right or left.
inline std::string carPicturePath(int colour, bool facingRight) {
  return std::string("\\autos\\") + kCarColours.at(static_cast<std::size_t>(colour)).file +
         (facingRight ? " rechts.gif" : " links.gif");
}

}  // namespace tj
