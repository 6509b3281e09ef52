// Every style family's classes, for the style table.
#pragma once

#include "CaughtInNetStyles.h"
#include "Chess3DStyles.h"
#include "ChippedStyles.h"
#include "CutStyles.h"
#include "GraffitiStyles.h"
#include "HaloStyles.h"
#include "LegoStyles.h"
#include "ThickThinLinesStyles.h"
#include "WavyChessStyles.h"
#include "WavyLettersStyles.h"
