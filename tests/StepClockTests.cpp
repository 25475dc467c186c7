#include "TestHelpers.h"
