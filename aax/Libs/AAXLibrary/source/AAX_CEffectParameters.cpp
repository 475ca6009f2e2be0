#include "AAX_CEffectParameters.h"

#include "AAX_CHostServices.h"
#include "AAX_Errors.h"
#include "AAX_VAutomationDelegate.h"
#include "AAX_VController.h"
#include "AAX_VPageTable.h"
#include "AAX_VTransport.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

namespace
{
constexpr AAX_CTypeID kPreviewStateNotification = 0x41535076; // 'ASPv'
constexpr const char* kPreviewParameterID = "PreviewID";

// The lines that this class's assertion reports name. Hosts and their logs know the reports by
// file and line, so the numbers stay the same wherever the code moves.
constexpr int32_t kChunkedCountReportLine = 128;
constexpr int32_t kMissingOnSaveReportLine = 815;
constexpr int32_t kMissingOnCompareReportLine = 667;

// A chunk's double as a float parameter's value: values beyond single precision's range, the
// infinities included, become its largest value instead of undefined narrowing.
float ClampToFloat (double value)
{
    if (value > static_cast<double> (FLT_MAX))
        return FLT_MAX;
    if (value < -static_cast<double> (FLT_MAX))
        return -FLT_MAX;
    return static_cast<float> (value);
}

// A chunk's double as a double parameter's value: the infinities become the largest value, which
// the parameter's taper limits to its range as it does any other value beyond it.
double ClampToFinite (double value)
{
    return value > DBL_MAX ? DBL_MAX : (value < -DBL_MAX ? -DBL_MAX : value);
}

double ClampNormalized (double value)
{
    return value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value);
}

// A parameter's value as the chunk carries it: the first kind the parameter answers, asked in the
// order float, int32, Boolean, double, text.
struct ChunkValue
{
    enum class Kind
    {
        None,
        Float,
        Int32,
        Bool,
        Double,
        String
    };
    Kind kind = Kind::None;
    float floatValue = 0.0f;
    int32_t intValue = 0;
    bool boolValue = false;
    double doubleValue = 0.0;
    AAX_CString stringValue;
};

ChunkValue ReadChunkValue (const AAX_IParameter& parameter)
{
    ChunkValue value;
    if (parameter.GetValueAsFloat (&value.floatValue))
        value.kind = ChunkValue::Kind::Float;
    else if (parameter.GetValueAsInt32 (&value.intValue))
        value.kind = ChunkValue::Kind::Int32;
    else if (parameter.GetValueAsBool (&value.boolValue))
        value.kind = ChunkValue::Kind::Bool;
    else if (parameter.GetValueAsDouble (&value.doubleValue))
        value.kind = ChunkValue::Kind::Double;
    else if (parameter.GetValueAsString (&value.stringValue))
        value.kind = ChunkValue::Kind::String;
    return value;
}

// Answers a host query about one parameter: a null output gives AAX_ERROR_NULL_OBJECT and an
// unknown identifier AAX_ERROR_INVALID_PARAMETER_ID, both without writing; otherwise read fills the
// output and gives the result.
template <typename Output, typename Read>
AAX_Result ReadParameter (const AAX_CParameterManager& manager, AAX_CParamID id, Output* output, Read&& read)
{
    if (output == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    const AAX_IParameter* parameter = manager.GetParameterByID (id);
    if (parameter == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    return read (*parameter, *output);
}

// Applies a host request to one parameter; an unknown identifier gives AAX_ERROR_INVALID_PARAMETER_ID.
template <typename Change>
AAX_Result ChangeParameter (AAX_CParameterManager& manager, AAX_CParamID id, Change&& change)
{
    AAX_IParameter* parameter = manager.GetParameterByID (id);
    if (parameter == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    change (*parameter);
    return AAX_SUCCESS;
}

// Runs a host-facing operation so that no exception reaches the host.
template <typename Operation>
AAX_Result Guarded (Operation&& operation)
{
    try
    {
        return operation();
    }
    catch (...)
    {
        return AAX_ERROR_UNKNOWN_EXCEPTION;
    }
}
} // namespace

AAX_CEffectParameters::AAX_CEffectParameters()
    : mNumPlugInChanges (0), mChunkSize (0), mNumChunkedParameters (0), mController (nullptr),
      mTransport (nullptr), mAutomationDelegate (nullptr)
{
}

AAX_CEffectParameters::~AAX_CEffectParameters()
{
    // Released without Uninitialize: the parameters still unregister through the live delegate,
    // and the proxies give back their host references.
    try
    {
        mParameterManager.RemoveAllParameters();
    }
    catch (...)
    {
    }
    DeleteProxies();
}

void AAX_CEffectParameters::DeleteProxies()
{
    mParameterManager.Initialize (nullptr);
    mPacketDispatcher.Initialize (nullptr, this);
    delete mController;
    mController = nullptr;
    delete mAutomationDelegate;
    mAutomationDelegate = nullptr;
    delete mTransport;
    mTransport = nullptr;
}

AAX_Result AAX_CEffectParameters::Initialize (IACFUnknown* iController)
{
    return Guarded ([&] { return InitializeUnguarded (iController); });
}

AAX_Result AAX_CEffectParameters::InitializeUnguarded (IACFUnknown* iController)
{
    // Each proxy is kept only once made, so that a host throwing half-way leaves nothing behind.
    std::unique_ptr<AAX_VController> controller (new AAX_VController (iController));
    mController = controller.release();
    std::unique_ptr<AAX_VAutomationDelegate> automation (new AAX_VAutomationDelegate (iController));
    mAutomationDelegate = automation.release();
    std::unique_ptr<AAX_VTransport> transport (new AAX_VTransport (iController));
    mTransport = transport.release();

    mParameterManager.Initialize (mAutomationDelegate);
    mPacketDispatcher.Initialize (mController, this);

    const AAX_Result initResult = EffectInit();
    if (initResult != AAX_SUCCESS)
        return initResult;

    AAX_CString bypassID;
    GetMasterBypassParameter (&bypassID);
    FilterParameterIDOnSave (bypassID.Get());

    int32_t numParameters = 0;
    GetNumberOfParameters (&numParameters);
    if (numParameters > 0)
    {
        mNumChunkedParameters = numParameters - static_cast<int32_t> (mFilteredParameterIDs.size());
        if (!(mNumChunkedParameters >= 0))
            AAX_CHostServices::HandleAssertFailure (__FILE__, kChunkedCountReportLine,
                                                    "mNumChunkedParameters >= 0", AAX_eAssertFlags_Log);
    }
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::Uninitialize()
{
    mParameterManager.RemoveAllParameters();
    DeleteProxies();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::NotificationReceived (AAX_CTypeID inNotificationType,
                                                        const void* inNotificationData,
                                                        uint32_t inNotificationDataSize)
{
    if (inNotificationType != kPreviewStateNotification || inNotificationData == nullptr ||
        inNotificationDataSize < sizeof (int32_t))
        return AAX_SUCCESS;

    if (auto* parameter = mParameterManager.GetParameterByID (kPreviewParameterID))
    {
        int32_t word = 0;
        std::memcpy (&word, inNotificationData, sizeof word);
        parameter->SetValueWithBool (word != 0);
    }
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetNumberOfParameters (int32_t* oNumControls) const
{
    if (oNumControls == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    *oNumControls = mParameterManager.NumParameters();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetMasterBypassParameter (AAX_IString* oIDString) const
{
    if (oIDString == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    oIDString->Set (mParameterManager.GetParameterByID (kMasterBypassID) != nullptr ? kMasterBypassID : "");
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterIsAutomatable (AAX_CParamID iParameterID,
                                                             AAX_CBoolean* oAutomatable) const
{
    if (oAutomatable == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    *oAutomatable = 0;
    const auto* parameter = mParameterManager.GetParameterByID (iParameterID);
    if (parameter == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    *oAutomatable = parameter->Automatable() ? 1 : 0;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterNumberOfSteps (AAX_CParamID iParameterID,
                                                             int32_t* oNumSteps) const
{
    return ReadParameter (mParameterManager, iParameterID, oNumSteps,
                          [] (const AAX_IParameter& p, int32_t& out)
                          {
                              const uint32_t steps = p.GetNumberOfSteps();
                              if (steps > static_cast<uint32_t> (std::numeric_limits<int32_t>::max()))
                                  return AAX_Result (AAX_ERROR_SIGNED_INT_OVERFLOW);
                              out = static_cast<int32_t> (steps);
                              return AAX_Result (AAX_SUCCESS);
                          });
}

AAX_Result AAX_CEffectParameters::GetParameterName (AAX_CParamID iParameterID, AAX_IString* oName) const
{
    if (oName == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    const auto* parameter = mParameterManager.GetParameterByID (iParameterID);
    oName->Set (parameter != nullptr ? parameter->Name().Get() : "");
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterNameOfLength (AAX_CParamID iParameterID, AAX_IString* oName,
                                                            int32_t iNameLength) const
{
    if (oName == nullptr)
        return AAX_ERROR_INVALID_STRING_CONVERSION;
    const auto* parameter = mParameterManager.GetParameterByID (iParameterID);
    if (parameter == nullptr)
    {
        oName->Set ("");
        return AAX_SUCCESS;
    }

    // The shortened name may hold several variants, one per line: the longest that fits wins.
    const AAX_CString& text = parameter->ShortenedName (iNameLength);
    const std::string lines (text.Get(), std::min<size_t> (text.Length(), 255));
    size_t best = 0;
    bool written = false;
    size_t start = 0;
    while (start < lines.size())
    {
        size_t end = lines.find ('\n', start);
        if (end == std::string::npos)
            end = lines.size();
        const size_t length = end - start;
        if (length > best && static_cast<int64_t> (length) <= iNameLength)
        {
            oName->Set (lines.substr (start, length).c_str());
            best = length;
            written = true;
        }
        start = end + 1;
    }

    if (!written && !lines.empty())
    {
        if (iNameLength < 1)
            oName->Set ("");
        else
            text.SubString (0, static_cast<uint32_t> (iNameLength), oName);
    }
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterDefaultNormalizedValue (AAX_CParamID iParameterID,
                                                                      double* oValue) const
{
    return ReadParameter (mParameterManager, iParameterID, oValue,
                          [] (const AAX_IParameter& p, double& out)
                          {
                              out = p.GetNormalizedDefaultValue();
                              return AAX_Result (AAX_SUCCESS);
                          });
}

AAX_Result AAX_CEffectParameters::SetParameterDefaultNormalizedValue (AAX_CParamID iParameterID,
                                                                      double iValue)
{
    return ChangeParameter (mParameterManager, iParameterID,
                            [iValue] (AAX_IParameter& p) { p.SetNormalizedDefaultValue (iValue); });
}

AAX_Result AAX_CEffectParameters::GetParameterType (AAX_CParamID iParameterID,
                                                    AAX_EParameterType* oParameterType) const
{
    return ReadParameter (mParameterManager, iParameterID, oParameterType,
                          [] (const AAX_IParameter& p, AAX_EParameterType& out)
                          {
                              out = p.GetType();
                              return AAX_Result (AAX_SUCCESS);
                          });
}

AAX_Result
AAX_CEffectParameters::GetParameterOrientation (AAX_CParamID iParameterID,
                                                AAX_EParameterOrientation* oParameterOrientation) const
{
    return ReadParameter (mParameterManager, iParameterID, oParameterOrientation,
                          [] (const AAX_IParameter& p, AAX_EParameterOrientation& out)
                          {
                              out = p.GetOrientation();
                              return AAX_Result (AAX_SUCCESS);
                          });
}

AAX_Result AAX_CEffectParameters::GetParameter (AAX_CParamID iParameterID, AAX_IParameter** oParameter)
{
    if (oParameter == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    *oParameter = mParameterManager.GetParameterByID (iParameterID);
    return *oParameter != nullptr ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
}

AAX_Result AAX_CEffectParameters::GetParameterIndex (AAX_CParamID iParameterID, int32_t* oControlIndex) const
{
    if (oControlIndex == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    *oControlIndex = mParameterManager.GetParameterIndex (iParameterID);
    return *oControlIndex < 0 ? AAX_ERROR_INVALID_PARAMETER_ID : AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterIDFromIndex (int32_t iControlIndex,
                                                           AAX_IString* oParameterIDString) const
{
    if (oParameterIDString == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    const auto* parameter = mParameterManager.GetParameter (iControlIndex);
    oParameterIDString->Set (parameter != nullptr ? parameter->Identifier() : "");
    return parameter != nullptr ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
}

AAX_Result AAX_CEffectParameters::GetParameterValueInfo (AAX_CParamID, int32_t, int32_t* oValue) const
{
    if (oValue != nullptr)
        *oValue = 0;
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::GetParameterValueFromString (AAX_CParamID iParameterID, double* oValue,
                                                               const AAX_IString& iValueString) const
{
    return ReadParameter (mParameterManager, iParameterID, oValue,
                          [&iValueString] (const AAX_IParameter& p, double& out)
                          {
                              double value = 0.0;
                              if (!p.GetNormalizedValueFromString (AAX_CString (iValueString), &value))
                                  return AAX_Result (AAX_ERROR_INVALID_STRING_CONVERSION);
                              out = value;
                              return AAX_Result (AAX_SUCCESS);
                          });
}

AAX_Result AAX_CEffectParameters::GetParameterStringFromValue (AAX_CParamID iParameterID, double iValue,
                                                               AAX_IString* oValueString,
                                                               int32_t iMaxLength) const
{
    return ReadParameter (mParameterManager, iParameterID, oValueString,
                          [=] (const AAX_IParameter& p, AAX_IString& out)
                          {
                              AAX_CString text;
                              if (!p.GetStringFromNormalizedValue (iValue, iMaxLength, text))
                                  return AAX_Result (AAX_ERROR_INVALID_STRING_CONVERSION);
                              out = text;
                              return AAX_Result (AAX_SUCCESS);
                          });
}

AAX_Result AAX_CEffectParameters::GetParameterValueString (AAX_CParamID iParameterID,
                                                           AAX_IString* oValueString,
                                                           int32_t iMaxLength) const
{
    return ReadParameter (mParameterManager, iParameterID, oValueString,
                          [=] (const AAX_IParameter& p, AAX_IString& out)
                          {
                              AAX_CString text;
                              p.GetValueString (iMaxLength, &text);
                              out = text;
                              return AAX_Result (AAX_SUCCESS);
                          });
}

AAX_Result AAX_CEffectParameters::GetParameterNormalizedValue (AAX_CParamID iParameterID,
                                                               double* oValuePtr) const
{
    return ReadParameter (mParameterManager, iParameterID, oValuePtr,
                          [] (const AAX_IParameter& p, double& out)
                          {
                              out = p.GetNormalizedValue();
                              return AAX_Result (AAX_SUCCESS);
                          });
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedValue (AAX_CParamID iParameterID, double iValue)
{
    return ChangeParameter (mParameterManager, iParameterID,
                            [iValue] (AAX_IParameter& p)
                            {
                                if (std::isfinite (iValue))
                                    p.SetNormalizedValue (iValue);
                            });
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue)
{
    double sum = 0.0;
    const AAX_Result readResult = RelativeTarget (iParameterID, iValue, sum);
    if (readResult != AAX_SUCCESS || !std::isfinite (sum))
        return readResult;
    return SetParameterNormalizedValue (iParameterID, sum);
}

AAX_Result AAX_CEffectParameters::TouchParameter (AAX_CParamID iParameterID)
{
    return ChangeParameter (mParameterManager, iParameterID, [] (AAX_IParameter& p) { p.Touch(); });
}

AAX_Result AAX_CEffectParameters::ReleaseParameter (AAX_CParamID iParameterID)
{
    return ChangeParameter (mParameterManager, iParameterID, [] (AAX_IParameter& p) { p.Release(); });
}

AAX_Result AAX_CEffectParameters::UpdateParameterTouch (AAX_CParamID, AAX_CBoolean)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedValue (AAX_CParamID iParameterID, double iValue,
                                                                  AAX_EUpdateSource)
{
    auto* parameter = mParameterManager.GetParameterByID (iParameterID);
    if (parameter == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    // A value that is not finite is not taken: a NaN would become the parameter's value and be
    // saved with every project, and either kind would be told back to the host as the value. The
    // packet is still marked, which only sends again the value held; no change is counted.
    const bool finite = std::isfinite (iValue);
    const double oldValue = parameter->GetNormalizedValue();
    if (finite)
        parameter->UpdateNormalizedValue (iValue);
    const AAX_Result result = mPacketDispatcher.SetDirty (iParameterID, true);
    // The count wraps instead of overflowing; a wrapped, negative count is not reported.
    if (finite && oldValue != iValue)
        mNumPlugInChanges = static_cast<int32_t> (static_cast<uint32_t> (mNumPlugInChanges) + 1u);
    return result;
}

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedRelative (AAX_CParamID iParameterID, double iValue)
{
    double sum = 0.0;
    const AAX_Result readResult = RelativeTarget (iParameterID, iValue, sum);
    if (readResult != AAX_SUCCESS || !std::isfinite (sum))
        return readResult;
    return UpdateParameterNormalizedValue (iParameterID, sum, AAX_eUpdateSource_Unspecified);
}

AAX_Result AAX_CEffectParameters::RelativeTarget (AAX_CParamID iParameterID, double delta,
                                                  double& target) const
{
    double current = 0.0;
    const AAX_Result readResult = GetParameterNormalizedValue (iParameterID, &current);
    const double sum = current + delta;
    // A sum that is not finite stays so, and the caller changes nothing.
    target = std::isfinite (sum) ? ClampNormalized (sum) : sum;
    return readResult;
}

AAX_Result AAX_CEffectParameters::GenerateCoefficients()
{
    return Guarded ([&] { return mPacketDispatcher.Dispatch(); });
}

AAX_Result AAX_CEffectParameters::ResetFieldData (AAX_CFieldIndex, void* oData, uint32_t iDataSize) const
{
    if (oData == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    std::memset (oData, 0, iDataSize);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetNumberOfChunks (int32_t* oNumChunks) const
{
    if (oNumChunks == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    *oNumChunks = 1;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetChunkIDFromIndex (int32_t iIndex, AAX_CTypeID* oChunkID) const
{
    if (oChunkID == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    *oChunkID = iIndex == 0 ? kParameterChunkID : 0;
    return iIndex == 0 ? AAX_SUCCESS : AAX_ERROR_INVALID_CHUNK_INDEX;
}

AAX_Result AAX_CEffectParameters::GetChunkSize (AAX_CTypeID iChunkID, uint32_t* oSize) const
{
    if (oSize == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    if (iChunkID != kParameterChunkID)
    {
        *oSize = 0;
        return AAX_ERROR_INVALID_CHUNK_ID;
    }
    return Guarded (
        [&]
        {
            BuildChunkData();
            mChunkSize = mChunkParser.GetChunkDataSize();
            if (mChunkSize < 0)
                return AAX_Result (AAX_ERROR_INCORRECT_CHUNK_SIZE);
            *oSize = static_cast<uint32_t> (mChunkSize);
            return AAX_Result (AAX_SUCCESS);
        });
}

AAX_Result AAX_CEffectParameters::GetChunk (AAX_CTypeID iChunkID, AAX_SPlugInChunk* oChunk) const
{
    if (oChunk == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    if (iChunkID != kParameterChunkID)
        return AAX_ERROR_INVALID_CHUNK_ID;
    return Guarded ([&] { return GetChunkUnguarded (oChunk); });
}

AAX_Result AAX_CEffectParameters::GetChunkUnguarded (AAX_SPlugInChunk* oChunk) const
{
    BuildChunkData();
    const int32_t size = mChunkParser.GetChunkDataSize();
    // The host sized the record from the preceding GetChunkSize; any other size would not fit it.
    if (mChunkSize != size || mChunkSize == 0)
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;

    oChunk->fVersion = mChunkParser.GetChunkVersion();
    std::memset (oChunk->fName, 0, sizeof oChunk->fName);
    std::strncpy (oChunk->fName, kParameterChunkName, sizeof oChunk->fName - 1);
    return mChunkParser.GetChunkData (oChunk);
}

AAX_Result AAX_CEffectParameters::SetChunk (AAX_CTypeID iChunkID, const AAX_SPlugInChunk* iChunk)
{
    if (iChunk == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    if (iChunkID != kParameterChunkID)
        return AAX_ERROR_INVALID_CHUNK_ID;
    return Guarded (
        [&]
        {
            mChunkParser.LoadChunk (iChunk);
            if (mChunkParser.LoadSucceeded())
                ApplyChunk();
            return AAX_Result (AAX_SUCCESS);
        });
}

AAX_Result AAX_CEffectParameters::CompareActiveChunk (const AAX_SPlugInChunk* iChunkP,
                                                      AAX_CBoolean* oIsEqual) const
{
    if (iChunkP == nullptr || oIsEqual == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    if (iChunkP->fChunkID != kParameterChunkID)
    {
        *oIsEqual = 1;
        return AAX_SUCCESS;
    }
    *oIsEqual = 0;
    return Guarded (
        [&]
        {
            mChunkParser.LoadChunk (iChunkP);
            if (mChunkParser.LoadSucceeded() && CompareWithChunk())
                *oIsEqual = 1;
            return AAX_Result (AAX_SUCCESS);
        });
}

AAX_Result AAX_CEffectParameters::GetNumberOfChanges (int32_t* oNumChanges) const
{
    if (oNumChanges == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    if (mNumPlugInChanges >= 0)
        *oNumChanges = mNumPlugInChanges;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::TimerWakeup()
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetCurveData (AAX_CTypeID, const float*, uint32_t, float*) const
{
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::GetCustomData (AAX_CTypeID, uint32_t, void*, uint32_t* oDataWritten) const
{
    if (oDataWritten != nullptr)
        *oDataWritten = 0;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::SetCustomData (AAX_CTypeID, uint32_t, const void*)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::DoMIDITransfers()
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::RenderAudio_Hybrid (AAX_SHybridRenderInfo*)
{
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::UpdateMIDINodes (AAX_CFieldIndex, AAX_CMidiPacket&)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::UpdateControlMIDINodes (AAX_CTypeID, AAX_CMidiPacket&)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetCurveDataMeterIds (AAX_CTypeID, uint32_t*, uint32_t*) const
{
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::GetCurveDataDisplayRange (AAX_CTypeID, float*, float*, float*, float*) const
{
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::UpdatePageTable (uint32_t inTableType, int32_t inTablePageSize,
                                                   IACFUnknown*, IACFUnknown* ioPageTableUnknown) const
{
    AAX_VPageTable pageTable (ioPageTableUnknown);
    if (pageTable.AsUnknown() == nullptr)
        return AAX_SUCCESS;
    return UpdatePageTable (inTableType, inTablePageSize, pageTable);
}

AAX_Result AAX_CEffectParameters::EffectInit()
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::UpdatePageTable (uint32_t, int32_t, AAX_IPageTable&) const
{
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_IController* AAX_CEffectParameters::Controller()
{
    return mController;
}

const AAX_IController* AAX_CEffectParameters::Controller() const
{
    return mController;
}

AAX_ITransport* AAX_CEffectParameters::Transport()
{
    return mTransport;
}

const AAX_ITransport* AAX_CEffectParameters::Transport() const
{
    return mTransport;
}

void AAX_CEffectParameters::FilterParameterIDOnSave (AAX_CParamID controlID)
{
    if (controlID != nullptr)
        mFilteredParameterIDs.insert (controlID);
}

bool AAX_CEffectParameters::IsChunked (const AAX_IParameter& parameter) const
{
    return mFilteredParameterIDs.count (parameter.Identifier()) == 0;
}

void AAX_CEffectParameters::ForEachChunkedParameter (int32_t missingReportLine,
                                                     const std::function<bool (AAX_IParameter&)>& visit) const
{
    int32_t numParameters = 0;
    GetNumberOfParameters (&numParameters);
    for (int32_t index = 0; index < numParameters; ++index)
    {
        const AAX_IParameter* parameter = mParameterManager.GetParameter (index);
        if (parameter == nullptr)
        {
            if (missingReportLine != 0)
                AAX_CHostServices::HandleAssertFailure (__FILE__, missingReportLine, "NULL != parameter",
                                                        AAX_eAssertFlags_Log);
            continue;
        }
        // The manager owns its parameters; this object may change them even where it reads.
        if (IsChunked (*parameter) && !visit (const_cast<AAX_IParameter&> (*parameter)))
            return;
    }
}

void AAX_CEffectParameters::BuildChunkData() const
{
    mChunkParser.Clear();
    ForEachChunkedParameter (kMissingOnSaveReportLine,
                             [this] (AAX_IParameter& parameter)
                             {
                                 const ChunkValue value = ReadChunkValue (parameter);
                                 const char* id = parameter.Identifier();
                                 switch (value.kind)
                                 {
                                     case ChunkValue::Kind::Float:
                                         mChunkParser.AddDouble (id, static_cast<double> (value.floatValue));
                                         break;
                                     case ChunkValue::Kind::Int32:
                                         mChunkParser.AddInt32 (id, value.intValue);
                                         break;
                                     case ChunkValue::Kind::Bool:
                                         mChunkParser.AddInt32 (id, value.boolValue ? 1 : 0);
                                         break;
                                     case ChunkValue::Kind::Double:
                                         mChunkParser.AddDouble (id, value.doubleValue);
                                         break;
                                     case ChunkValue::Kind::String:
                                         mChunkParser.AddString (id, value.stringValue);
                                         break;
                                     case ChunkValue::Kind::None:
                                         break;
                                 }
                                 return true;
                             });
}

void AAX_CEffectParameters::ApplyChunk()
{
    ForEachChunkedParameter (
        0,
        [this] (AAX_IParameter& parameter)
        {
            const char* id = parameter.Identifier();
            double entryDouble = 0.0;
            int32_t entryInt = 0;
            AAX_CString entryString;
            // An infinity sets the end of the range, as any other value beyond it does; a NaN entry
            // names no value and is skipped, so that no NaN is ever asked of the host.
            switch (ReadChunkValue (parameter).kind)
            {
                case ChunkValue::Kind::Float:
                    if (mChunkParser.FindDouble (id, &entryDouble) && !std::isnan (entryDouble))
                        parameter.SetValueWithFloat (ClampToFloat (entryDouble));
                    break;
                case ChunkValue::Kind::Int32:
                    if (mChunkParser.FindInt32 (id, &entryInt))
                        parameter.SetValueWithInt32 (entryInt);
                    break;
                case ChunkValue::Kind::Bool:
                    if (mChunkParser.FindInt32 (id, &entryInt))
                        parameter.SetValueWithBool (entryInt != 0);
                    break;
                case ChunkValue::Kind::Double:
                    if (mChunkParser.FindDouble (id, &entryDouble) && !std::isnan (entryDouble))
                        parameter.SetValueWithDouble (ClampToFinite (entryDouble));
                    break;
                case ChunkValue::Kind::String:
                    if (mChunkParser.FindString (id, &entryString))
                        parameter.SetValueWithString (entryString);
                    break;
                case ChunkValue::Kind::None:
                    break;
            }
            return true;
        });
}

bool AAX_CEffectParameters::CompareWithChunk() const
{
    bool equal = true;
    ForEachChunkedParameter (
        kMissingOnCompareReportLine,
        [this, &equal] (AAX_IParameter& parameter)
        {
            const ChunkValue value = ReadChunkValue (parameter);
            const char* id = parameter.Identifier();
            double entryDouble = 0.0;
            int32_t entryInt = 0;
            AAX_CString entryString;
            switch (value.kind)
            {
                case ChunkValue::Kind::Float:
                    equal = mChunkParser.FindDouble (id, &entryDouble) && std::isfinite (entryDouble) &&
                            ClampToFloat (entryDouble) == value.floatValue;
                    break;
                case ChunkValue::Kind::Int32:
                    equal = mChunkParser.FindInt32 (id, &entryInt) && entryInt == value.intValue;
                    break;
                case ChunkValue::Kind::Bool:
                    equal = mChunkParser.FindInt32 (id, &entryInt) && (entryInt != 0) == value.boolValue;
                    break;
                case ChunkValue::Kind::Double:
                    // Compared at single precision, as the value reaches the plug-in's float parameters.
                    equal = mChunkParser.FindDouble (id, &entryDouble) && std::isfinite (entryDouble) &&
                            ClampToFloat (entryDouble) == ClampToFloat (value.doubleValue);
                    break;
                case ChunkValue::Kind::String:
                    equal = mChunkParser.FindString (id, &entryString) && entryString == value.stringValue;
                    break;
                case ChunkValue::Kind::None:
                    break;
            }
            return equal;
        });
    return equal;
}
