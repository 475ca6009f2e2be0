// Identifier layout: the bytes of every identifier, derived here from the text form independently
// of the constants' initialisers.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "AAX_UIDs.h"

namespace
{
struct NamedText
{
    const acfUID* uid;
    const char* name;
    const char* text;
};

#define UID_ROW(name, text)                                                                                  \
    {                                                                                                        \
        &name, #name, text                                                                                   \
    }

const NamedText identifierTable[] = {
    UID_ROW (IID_IACFUnknown, "00000000-0000-0000-C000-000000000046"),
    UID_ROW (IID_IACFDefinition, "E51741F1-7FCF-11D6-AAC3-00306542A024"),
    UID_ROW (IID_IACFPluginDefinition, "00EEF015-7FD0-11D6-8485-00306542A024"),
    UID_ROW (IID_IACFComponentFactory, "382B6A96-7FD0-11D6-BCFE-00306542A024"),
    UID_ROW (AAXCompID_HostServices, "88882C2D-EBBC-42EF-C0AB-8981B0BD0CCA"),
    UID_ROW (IID_IAAXHostServicesV1, "96D42C2D-EBBC-41EF-B0AB-9991A0ED0CCA"),
    UID_ROW (IID_IAAXHostServicesV2, "A207EE9E-B442-11E4-A71E-12E3F512A338"),
    UID_ROW (IID_IAAXHostServicesV3, "12BEA399-9A4F-4353-8098-3916FA71898D"),
    UID_ROW (AAXCompID_AAXCollection, "89882C2D-77BC-42EF-707B-7981B7BD0CCA"),
    UID_ROW (IID_IAAXCollectionV1, "96D42C2D-EBBC-41DF-B1AB-9991A2EE0CCA"),
    UID_ROW (AAXCompID_AAXEffectDescriptor, "89872C2D-75BC-423F-401B-F9A1BAAD0CCA"),
    UID_ROW (IID_IAAXEffectDescriptorV1, "96D42C2D-EBBC-41EF-D1CB-499442E40FDA"),
    UID_ROW (IID_IAAXEffectDescriptorV2, "41ECCC52-416B-4072-84BD-40B05210A74C"),
    UID_ROW (AAXCompID_AAXComponentDescriptor, "94872C3D-95BC-413D-D0DB-D9B12AAD0CCA"),
    UID_ROW (IID_IAAXComponentDescriptorV1, "96E42C2D-E2BC-51EF-61C7-48994AEB0CDA"),
    UID_ROW (IID_IAAXComponentDescriptorV2, "1895259E-AAA9-4F0F-A985-149837B76F89"),
    UID_ROW (IID_IAAXComponentDescriptorV3, "979CFCD4-2BCB-43AE-9CD0-2D0ECD2ADCD5"),
    UID_ROW (AAXCompID_AAXPropertyMap, "A587AD3D-D53C-4ADC-D0DD-D9D12DDDDCDA"),
    UID_ROW (IID_IAAXPropertyMapV1, "96EE2C2D-EECC-5EFF-E2D7-E849E3E2EEEE"),
    UID_ROW (IID_IAAXPropertyMapV2, "7177DF80-7C9C-11E2-B92A-0800200C9A66"),
    UID_ROW (IID_IAAXPropertyMapV3, "6D4AB208-D34B-4368-B4F1-58BC243F45C9"),
    UID_ROW (IID_IAAXDescriptionHostV1, "E5BC71DF-4C1F-4CC4-814A-5A7DD0E70EF5"),
    UID_ROW (IID_IAAXFeatureInfoV1, "24545609-A7C4-44D4-ABB8-CF13EA9D0BDF"),
    UID_ROW (AAXATTR_ClientFeature_StemFormat, "729DD3E6-D3DC-484C-9169-F064A012601D"),
    UID_ROW (IID_IAAXControllerV1, "9D5E3E3D-52DC-5EFB-2018-DE1DE2E63F4E"),
    UID_ROW (IID_IAAXControllerV2, "4C59AA0E-D7C0-4205-8B6C-32468D42D202"),
    UID_ROW (IID_IAAXControllerV3, "DD6F168C-DA86-44F8-B864-D6CD221926E7"),
    UID_ROW (IID_IAAXPageTableController, "2E9D35FB-BACC-4B2C-B5D7-C6E851F569BD"),
    UID_ROW (IID_IAAXPageTableControllerV2, "06C6B83E-9D87-4938-8A38-F8E45B10A24A"),
    UID_ROW (AAXCompID_PageTable, "DBC22879-A24E-4AC6-9721-938B72D8E81B"),
    UID_ROW (IID_IAAXPageTableV1, "33C9E5BE-1CE3-4085-91A7-09D6F8EE4B64"),
    UID_ROW (IID_IAAXPageTableV2, "D0F25D1B-9C5B-4D2E-8F1F-45BC934732F7"),
    UID_ROW (IID_IAAXAutomationDelegateV1, "9D5E3D3D-42DC-5EFA-2217-EEE2E8E53E2E"),
    UID_ROW (IID_IAAXTransportV1, "5CEE4EF4-6337-4359-B63B-FE58DC36543A"),
    UID_ROW (IID_IAAXTransportV2, "203CBD9F-982C-4FE6-A827-07480257AEC3"),
    UID_ROW (IID_IAAXViewContainerV1, "22DA0BBC-D550-4D5E-8CC6-734483B8837F"),
    UID_ROW (IID_IAAXViewContainerV2, "9143A0BE-7A79-4D02-AE25-AADBA76A50B2"),
    UID_ROW (IID_IAAXEffectParametersV1, "964E333D-334C-533F-C2C7-3834C3C23E3E"),
    UID_ROW (IID_IAAXEffectParametersV2, "F1F47D06-308F-4CC5-9C7C-50A83F8AB813"),
    UID_ROW (IID_IAAXEffectParametersV3, "D2540E9D-9163-42BB-A6FD-81E10EA32498"),
    UID_ROW (IID_IAAXEffectParametersV4, "2E485536-31A3-4697-9C16-E59BF6B28A41"),
    UID_ROW (IID_IAAXEffectGUIV1, "964E323D-424C-5E1A-2227-282423222E1E"),
};

#undef UID_ROW

uint8_t HexByte (const std::string& text, size_t at)
{
    return static_cast<uint8_t> (std::stoul (text.substr (at, 2), nullptr, 16));
}

// Text form "AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE" to the 16 stored bytes: the first three fields
// little-endian, the last eight bytes as written.
std::array<uint8_t, 16> BytesOfText (const std::string& text)
{
    std::array<uint8_t, 16> bytes{};
    const size_t fieldStarts[3] = { 0, 9, 14 };
    const size_t fieldBytes[3] = { 4, 2, 2 };
    size_t out = 0;
    for (int field = 0; field < 3; ++field)
        for (size_t i = 0; i < fieldBytes[field]; ++i)
            bytes[out++] = HexByte (text, fieldStarts[field] + 2 * (fieldBytes[field] - 1 - i));
    for (size_t at : { 19u, 21u, 24u, 26u, 28u, 30u, 32u, 34u })
        bytes[out++] = HexByte (text, at);
    return bytes;
}

std::array<uint8_t, 16> BytesOf (const acfUID& uid)
{
    std::array<uint8_t, 16> bytes{};
    std::memcpy (bytes.data(), &uid, bytes.size());
    return bytes;
}
} // namespace

TEST (AcfIdentifiers, DefinitionIdentifierHasTheHostsByteLayout)
{
    const std::array<uint8_t, 16> expected{ 0xF1, 0x41, 0x17, 0xE5, 0xCF, 0x7F, 0xD6, 0x11,
                                            0xAA, 0xC3, 0x00, 0x30, 0x65, 0x42, 0xA0, 0x24 };
    EXPECT_EQ (BytesOf (IID_IACFDefinition), expected);
}

TEST (AcfIdentifiers, EveryIdentifierMatchesItsTextForm)
{
    EXPECT_EQ (std::size (identifierTable), 42u);
    for (const auto& row : identifierTable)
        EXPECT_EQ (BytesOf (*row.uid), BytesOfText (row.text)) << row.name;
}

TEST (AcfIdentifiers, IdentifiersAreDistinctAndCompareByAllBytes)
{
    for (const auto& a : identifierTable)
        for (const auto& b : identifierTable)
            EXPECT_EQ (*a.uid == *b.uid, a.uid == b.uid) << a.name << " / " << b.name;

    acfUID changed = IID_IAAXEffectGUIV1;
    changed.Data4[7] ^= 1;
    EXPECT_NE (changed, IID_IAAXEffectGUIV1);
    EXPECT_EQ (sizeof (acfUID), 16u);
}
