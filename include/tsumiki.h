// tsumiki: window framework, controls, drawing and system services for Windows programs.
#pragma once

#include "tsumiki/framework.h"
#include "tsumiki/form.h"
#include "tsumiki/graphics.h"
#include "tsumiki/controls.h"
#include "tsumiki/common_controls.h"
#include "tsumiki/shapes.h"
#include "tsumiki/services.h"
#include "tsumiki/desktop.h"
#include "tsumiki/frame_clock.h"
#include "tsumiki/program_folder.h"
