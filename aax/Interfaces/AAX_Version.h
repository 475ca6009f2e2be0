// The version of this binding layer, as reported to the host by ACFGetSDKVersion.
#pragma once

// Major and minor version in the upper 16 bits of the upper word: 2.3.
#define AAX_SDK_VERSION (0x0203u)
// The revision number of this release.
#define AAX_SDK_CURRENT_REVISION (0x00D5E5B4u)
// Revision of the 2.3.0 release, which clients compare against.
#define AAX_SDK_2p3p0_REVISION AAX_SDK_CURRENT_REVISION
