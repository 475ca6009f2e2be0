#include "AAX_Errors.h"

namespace AAX
{
std::string AsStringResult (AAX_Result result)
{
    switch (result)
    {
        case AAX_SUCCESS:
            return "AAX_SUCCESS";
        case AAX_ERROR_INVALID_PARAMETER_ID:
            return "AAX_ERROR_INVALID_PARAMETER_ID";
        case AAX_ERROR_INVALID_STRING_CONVERSION:
            return "AAX_ERROR_INVALID_STRING_CONVERSION";
        case AAX_ERROR_INVALID_METER_INDEX:
            return "AAX_ERROR_INVALID_METER_INDEX";
        case AAX_ERROR_NULL_OBJECT:
            return "AAX_ERROR_NULL_OBJECT";
        case AAX_ERROR_OLDER_VERSION:
            return "AAX_ERROR_OLDER_VERSION";
        case AAX_ERROR_INVALID_CHUNK_INDEX:
            return "AAX_ERROR_INVALID_CHUNK_INDEX";
        case AAX_ERROR_INVALID_CHUNK_ID:
            return "AAX_ERROR_INVALID_CHUNK_ID";
        case AAX_ERROR_INCORRECT_CHUNK_SIZE:
            return "AAX_ERROR_INCORRECT_CHUNK_SIZE";
        case AAX_ERROR_UNIMPLEMENTED:
            return "AAX_ERROR_UNIMPLEMENTED";
        case AAX_ERROR_INVALID_PARAMETER_INDEX:
            return "AAX_ERROR_INVALID_PARAMETER_INDEX";
        case AAX_ERROR_NOT_INITIALIZED:
            return "AAX_ERROR_NOT_INITIALIZED";
        case AAX_ERROR_ACF_ERROR:
            return "AAX_ERROR_ACF_ERROR";
        case AAX_ERROR_INVALID_METER_TYPE:
            return "AAX_ERROR_INVALID_METER_TYPE";
        case AAX_ERROR_CONTEXT_ALREADY_HAS_METERS:
            return "AAX_ERROR_CONTEXT_ALREADY_HAS_METERS";
        case AAX_ERROR_NULL_COMPONENT:
            return "AAX_ERROR_NULL_COMPONENT";
        case AAX_ERROR_PORT_ID_OUT_OF_RANGE:
            return "AAX_ERROR_PORT_ID_OUT_OF_RANGE";
        case AAX_ERROR_FIELD_TYPE_DOES_NOT_SUPPORT_DIRECT_ACCESS:
            return "AAX_ERROR_FIELD_TYPE_DOES_NOT_SUPPORT_DIRECT_ACCESS";
        case AAX_ERROR_DIRECT_ACCESS_OUT_OF_BOUNDS:
            return "AAX_ERROR_DIRECT_ACCESS_OUT_OF_BOUNDS";
        case AAX_ERROR_FIFO_FULL:
            return "AAX_ERROR_FIFO_FULL";
        case AAX_ERROR_INITIALIZING_PACKET_STREAM_THREAD:
            return "AAX_ERROR_INITIALIZING_PACKET_STREAM_THREAD";
        case AAX_ERROR_POST_PACKET_FAILED:
            return "AAX_ERROR_POST_PACKET_FAILED";
        case AAX_RESULT_PACKET_STREAM_NOT_EMPTY:
            return "AAX_RESULT_PACKET_STREAM_NOT_EMPTY";
        case AAX_RESULT_ADD_FIELD_UNSUPPORTED_FIELD_TYPE:
            return "AAX_RESULT_ADD_FIELD_UNSUPPORTED_FIELD_TYPE";
        case AAX_ERROR_MIXER_THREAD_FALLING_BEHIND:
            return "AAX_ERROR_MIXER_THREAD_FALLING_BEHIND";
        case AAX_ERROR_INVALID_FIELD_INDEX:
            return "AAX_ERROR_INVALID_FIELD_INDEX";
        case AAX_ERROR_MALFORMED_CHUNK:
            return "AAX_ERROR_MALFORMED_CHUNK";
        case AAX_ERROR_TOD_BEHIND:
            return "AAX_ERROR_TOD_BEHIND";
        case AAX_RESULT_NEW_PACKET_POSTED:
            return "AAX_RESULT_NEW_PACKET_POSTED";
        case AAX_ERROR_PLUGIN_NOT_AUTHORIZED:
            return "AAX_ERROR_PLUGIN_NOT_AUTHORIZED";
        case AAX_ERROR_PLUGIN_NULL_PARAMETER:
            return "AAX_ERROR_PLUGIN_NULL_PARAMETER";
        case AAX_ERROR_NOTIFICATION_FAILED:
            return "AAX_ERROR_NOTIFICATION_FAILED";
        case AAX_ERROR_INVALID_VIEW_SIZE:
            return "AAX_ERROR_INVALID_VIEW_SIZE";
        case AAX_ERROR_SIGNED_INT_OVERFLOW:
            return "AAX_ERROR_SIGNED_INT_OVERFLOW";
        case AAX_ERROR_NO_COMPONENTS:
            return "AAX_ERROR_NO_COMPONENTS";
        case AAX_ERROR_DUPLICATE_EFFECT_ID:
            return "AAX_ERROR_DUPLICATE_EFFECT_ID";
        case AAX_ERROR_DUPLICATE_TYPE_ID:
            return "AAX_ERROR_DUPLICATE_TYPE_ID";
        case AAX_ERROR_EMPTY_EFFECT_NAME:
            return "AAX_ERROR_EMPTY_EFFECT_NAME";
        case AAX_ERROR_UNKNOWN_PLUGIN:
            return "AAX_ERROR_UNKNOWN_PLUGIN";
        case AAX_ERROR_PROPERTY_UNDEFINED:
            return "AAX_ERROR_PROPERTY_UNDEFINED";
        case AAX_ERROR_INVALID_PATH:
            return "AAX_ERROR_INVALID_PATH";
        case AAX_ERROR_UNKNOWN_ID:
            return "AAX_ERROR_UNKNOWN_ID";
        case AAX_ERROR_UNKNOWN_EXCEPTION:
            return "AAX_ERROR_UNKNOWN_EXCEPTION";
        case AAX_ERROR_INVALID_ARGUMENT:
            return "AAX_ERROR_INVALID_ARGUMENT";
        case AAX_ERROR_NULL_ARGUMENT:
            return "AAX_ERROR_NULL_ARGUMENT";
        case AAX_ERROR_INVALID_INTERNAL_DATA:
            return "AAX_ERROR_INVALID_INTERNAL_DATA";
        case AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW:
            return "AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW";
        default:
            break;
    }
    return "<unknown error code>";
}
} // namespace AAX
