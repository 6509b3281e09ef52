// Every style family's classes, for the style table.
#pragma once

#include "GraffitiStyles.h"
