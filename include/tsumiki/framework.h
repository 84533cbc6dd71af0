// Window framework: window objects and their dispatch, the message loops, the library's
// texts and the fonts of its controls. One include for the headers below.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "tsumiki/window.h"
#include "tsumiki/loop.h"
#include "tsumiki/text.h"
#include "tsumiki/dpi.h"
