// Result names, formatted results and the exception texts.
#include <gtest/gtest.h>

#include <string>

#include "AAX_Errors.h"
#include "AAX_Exception.h"

namespace
{
// In code order from 0 and then -20001 downwards, without gaps.
const char* const resultNames[] = {
    "AAX_SUCCESS",
    "AAX_ERROR_INVALID_PARAMETER_ID",
    "AAX_ERROR_INVALID_STRING_CONVERSION",
    "AAX_ERROR_INVALID_METER_INDEX",
    "AAX_ERROR_NULL_OBJECT",
    "AAX_ERROR_OLDER_VERSION",
    "AAX_ERROR_INVALID_CHUNK_INDEX",
    "AAX_ERROR_INVALID_CHUNK_ID",
    "AAX_ERROR_INCORRECT_CHUNK_SIZE",
    "AAX_ERROR_UNIMPLEMENTED",
    "AAX_ERROR_INVALID_PARAMETER_INDEX",
    "AAX_ERROR_NOT_INITIALIZED",
    "AAX_ERROR_ACF_ERROR",
    "AAX_ERROR_INVALID_METER_TYPE",
    "AAX_ERROR_CONTEXT_ALREADY_HAS_METERS",
    "AAX_ERROR_NULL_COMPONENT",
    "AAX_ERROR_PORT_ID_OUT_OF_RANGE",
    "AAX_ERROR_FIELD_TYPE_DOES_NOT_SUPPORT_DIRECT_ACCESS",
    "AAX_ERROR_DIRECT_ACCESS_OUT_OF_BOUNDS",
    "AAX_ERROR_FIFO_FULL",
    "AAX_ERROR_INITIALIZING_PACKET_STREAM_THREAD",
    "AAX_ERROR_POST_PACKET_FAILED",
    "AAX_RESULT_PACKET_STREAM_NOT_EMPTY",
    "AAX_RESULT_ADD_FIELD_UNSUPPORTED_FIELD_TYPE",
    "AAX_ERROR_MIXER_THREAD_FALLING_BEHIND",
    "AAX_ERROR_INVALID_FIELD_INDEX",
    "AAX_ERROR_MALFORMED_CHUNK",
    "AAX_ERROR_TOD_BEHIND",
    "AAX_RESULT_NEW_PACKET_POSTED",
    "AAX_ERROR_PLUGIN_NOT_AUTHORIZED",
    "AAX_ERROR_PLUGIN_NULL_PARAMETER",
    "AAX_ERROR_NOTIFICATION_FAILED",
    "AAX_ERROR_INVALID_VIEW_SIZE",
    "AAX_ERROR_SIGNED_INT_OVERFLOW",
    "AAX_ERROR_NO_COMPONENTS",
    "AAX_ERROR_DUPLICATE_EFFECT_ID",
    "AAX_ERROR_DUPLICATE_TYPE_ID",
    "AAX_ERROR_EMPTY_EFFECT_NAME",
    "AAX_ERROR_UNKNOWN_PLUGIN",
    "AAX_ERROR_PROPERTY_UNDEFINED",
    "AAX_ERROR_INVALID_PATH",
    "AAX_ERROR_UNKNOWN_ID",
    "AAX_ERROR_UNKNOWN_EXCEPTION",
    "AAX_ERROR_INVALID_ARGUMENT",
    "AAX_ERROR_NULL_ARGUMENT",
    "AAX_ERROR_INVALID_INTERNAL_DATA",
    "AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW",
};
} // namespace

TEST (ResultText, FortySevenNamedResultsWithoutGaps)
{
    ASSERT_EQ (std::size (resultNames), 47u);
    EXPECT_EQ (AAX::AsStringResult (0), resultNames[0]);
    for (int i = 1; i < 47; ++i)
        EXPECT_EQ (AAX::AsStringResult (-20000 - i), resultNames[i]) << -20000 - i;
}

TEST (ResultText, CodesOutsideTheTableAreUnknown)
{
    for (AAX_Result code : { -20047, -20000, 1, -1, 20004, static_cast<AAX_Result> (0x8000FFFFu) })
        EXPECT_EQ (AAX::AsStringResult (code), "<unknown error code>") << code;
}

TEST (ResultText, EnumeratorsCarryTheirCodes)
{
    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, -20004);
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, -20009);
    EXPECT_EQ (AAX_ERROR_PROPERTY_UNDEFINED, -20039);
    EXPECT_EQ (AAX_ERROR_UNKNOWN_EXCEPTION, -20042);
    EXPECT_EQ (AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW, -20046);
}

TEST (ResultText, FormatResultNamesAndNumbersTheCode)
{
    using AAX::Exception::ResultError;
    EXPECT_EQ (ResultError::FormatResult (-20004), "AAX_ERROR_NULL_OBJECT (-20004)");
    EXPECT_EQ (ResultError::FormatResult (0), "AAX_SUCCESS (0)");
    EXPECT_EQ (ResultError::FormatResult (7), "<unknown error code> (7)");
    EXPECT_EQ (ResultError::FormatResult (static_cast<AAX_Result> (0x8000FFFFu)),
               "<unknown error code> (-2147418113)");
}

TEST (ResultText, ResultErrorCarriesCodeAndText)
{
    const AAX::Exception::ResultError error (-20009);
    EXPECT_EQ (error.What(), "AAX_ERROR_UNIMPLEMENTED (-20009)");
    EXPECT_EQ (error.Desc(), "AAX_ERROR_UNIMPLEMENTED (-20009)");
    EXPECT_EQ (error.Result(), -20009);

    const AAX::Exception::Any& asAny = error;
    EXPECT_EQ (asAny.What(), "AAX_ERROR_UNIMPLEMENTED (-20009)");
}

TEST (ResultText, CreateWhatAppendsOnlyWhatIsGiven)
{
    using AAX::Exception::Any;
    EXPECT_EQ (Any::CreateWhat ("desc", "fn", ""), "desc func:fn");
    EXPECT_EQ (Any::CreateWhat ("desc", "", "12"), "desc line:12");
    EXPECT_EQ (Any::CreateWhat ("desc", "fn", "12"), "desc func:fn line:12");
    EXPECT_EQ (Any::CreateWhat ("desc", "", ""), "desc");

    const Any plain ("only a description");
    EXPECT_EQ (plain.What(), "only a description");
    EXPECT_TRUE (plain.Function().empty());
    EXPECT_TRUE (plain.Line().empty());

    const Any placed ("d", "f", "3");
    EXPECT_EQ (placed.What(), "d func:f line:3");
}
