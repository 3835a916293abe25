// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "screens/forms.h"

namespace tj {

// Makes every screen of the game known to the registry by its name.
void defineScreens(Forms& forms);

}  // namespace tj
