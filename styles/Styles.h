// Every style family's classes, for the style table.
#pragma once

#include "CaughtInNetStyles.h"
#include "Chess3DStyles.h"
#include "ChessStyles.h"
#include "ChippedStyles.h"
#include "CutStyles.h"
#include "DartsStyles.h"
#include "GhostlyStyles.h"
#include "GraffitiStyles.h"
#include "HaloStyles.h"
#include "JailStyles.h"
#include "LegoStyles.h"
#include "NegativeStyles.h"
#include "ThickThinLinesStyles.h"
#include "WavyChessStyles.h"
#include "WavyLettersStyles.h"
