// The plug-in's GUI object as the host sees it.
#pragma once

#include "ACF/IACFUnknown.h"

// Answered for IID_IAAXEffectGUIV1.
class AAX_IACFEffectGUI : public IACFUnknown
{
protected:
    ~AAX_IACFEffectGUI() = default;
};
