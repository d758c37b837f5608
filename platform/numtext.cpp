#include "platform/numtext.h"
