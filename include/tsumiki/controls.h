// Standard controls: wrappers of the classic control classes.
#pragma once

#include "tsumiki/framework.h"
