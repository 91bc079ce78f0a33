#pragma once
#include "platform/NativeText.h"
