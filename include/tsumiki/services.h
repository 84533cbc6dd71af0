// System services: menus.
#pragma once

#include "tsumiki/framework.h"
