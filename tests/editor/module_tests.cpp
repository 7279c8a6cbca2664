// Loading and unloading the module, and the sheet as a host sees it.
#include "EditorDriver.h"
#include "resources/resource.h"
#include <gtest/gtest.h>

using namespace kstest;
