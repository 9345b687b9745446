// Everything a test of the driver needs.
#pragma once

#include "clipboard.h"
#include "group_files.h"
#include "input.h"
#include "palette.h"
#include "poll.h"
#include "process.h"
#include "report.h"
#include "resources.h"
#include "screenshot.h"
#include "stand_in.h"
#include "test_case.h"
#include "text.h"
#include "window.h"
