#pragma once

// The ground reaching up to the top: what the layer check exists to refuse.
#include "program/frmMainMenu.h"
