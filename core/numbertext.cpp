#include "core/numbertext.h"
