// tsumiki: window framework, controls, drawing and system services for Windows programs.
#pragma once

#include "tsumiki/framework.h"
#include "tsumiki/graphics.h"
#include "tsumiki/controls.h"
#include "tsumiki/services.h"
