// The parameter chunk 'elck': its exact bytes, reading back, hostile chunks in exactly sized
// records, and saving, restoring and comparing through the effect-parameters object.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "AAX_CChunkDataParser.h"
#include "AAX_Errors.h"
#include "AaxHostTest.h"
#include "ChunkRecord.h"
#include "HostInstance.h"
#include "TestEffect.h"

using namespace std::string_literals;
using kalvo::aaxhost::ChunkRecord;
using kalvo::aaxhost::HostInstance;
using kalvo::aaxtest::Held;
using kalvo::aaxtest::ParameterSpec;
using kalvo::aaxtest::TestEffect;
using K = ParameterSpec::Kind;

namespace
{
constexpr AAX_CTypeID elck = 0x656C636B;

std::vector<uint8_t> Hex (const std::string& text)
{
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < text.size(); i += 3)
        bytes.push_back (static_cast<uint8_t> (std::stoi (text.substr (i, 2), nullptr, 16)));
    return bytes;
}

std::vector<uint8_t> Raw (const std::string& text)
{
    return std::vector<uint8_t> (text.begin(), text.end());
}

std::vector<uint8_t> Join (std::vector<uint8_t> a, const std::vector<uint8_t>& b)
{
    a.insert (a.end(), b.begin(), b.end());
    return a;
}

const std::vector<uint8_t> marker = Hex ("01 01 01 01");

// One entry at an aligned position: tag, name, its zero and padding, then the value bytes.
std::vector<uint8_t> Entry (const std::string& tag, const std::string& name, const char* valueHex)
{
    std::string text = tag + name + '\0';
    text.resize ((text.size() + 3) / 4 * 4, '\0');
    return Join (Raw (text), Hex (valueHex));
}

// Keeps every value a chunk hands it, before the parameter's own checks can refuse it.
template <typename T>
class RecordingParameter final : public AAX_CParameter<T>
{
public:
    RecordingParameter (const char* id, std::vector<double>& seenToUse)
        : AAX_CParameter<T> (id, AAX_CString (id), T (0.5), AAX_CLinearTaperDelegate<T>(),
                             AAX_CNumberDisplayDelegate<T, 3>()),
          seen (seenToUse)
    {
    }
    bool SetValueWithFloat (float value) override
    {
        seen.push_back (value);
        return AAX_CParameter<T>::SetValueWithFloat (value);
    }
    bool SetValueWithDouble (double value) override
    {
        seen.push_back (value);
        return AAX_CParameter<T>::SetValueWithDouble (value);
    }

private:
    std::vector<double>& seen;
};

class ParameterChunk : public kalvo::aaxtest::AaxHostTest
{
protected:
    // A new initialised instance over its own host unknown.
    TestEffect* makeEffect (std::vector<ParameterSpec> specs = kalvo::aaxtest::KalvoProParameters())
    {
        auto* effect = new TestEffect (std::move (specs));
        effects.emplace_back (new Held<TestEffect> (effect));
        HostInstance& instance = host.make<HostInstance>();
        instances.push_back (&instance);
        EXPECT_EQ (effect->Initialize (instance.identity()), AAX_SUCCESS);
        instance.automation().takeEvents();
        return effect;
    }

    void TearDown() override
    {
        for (auto& effect : effects)
            (*effect)->Uninitialize();
        effects.clear();
        AaxHostTest::TearDown();
    }

    // The data the instance saves, through the host's two calls.
    static std::vector<uint8_t> Save (TestEffect& effect, int32_t* version = nullptr,
                                      std::string* name = nullptr)
    {
        uint32_t size = 0;
        EXPECT_EQ (effect.GetChunkSize (elck, &size), AAX_SUCCESS);
        ChunkRecord record (size);
        EXPECT_EQ (effect.GetChunk (elck, record.get()), AAX_SUCCESS);
        EXPECT_EQ (record.get()->fSize, static_cast<int32_t> (size));
        if (version != nullptr)
            *version = record.get()->fVersion;
        if (name != nullptr)
            *name = std::string (record.get()->fName, sizeof record.get()->fName);
        return record.data();
    }

    std::vector<std::unique_ptr<Held<TestEffect>>> effects;
    std::vector<HostInstance*> instances;
};
} // namespace

TEST_F (ParameterChunk, SavesTheExactBytesOfEachKind)
{
    struct Row
    {
        const char* name;
        std::vector<ParameterSpec> specs;
        std::string data;
    };
    const std::vector<Row> rows = {
        { "no parameters", {}, "01 01 01 01" },
        { "float widened",
          { { K::Float, "Gain", double (0.1f) } },
          "01 01 01 01 64 5F 47 61 69 6E 00 00 3F B9 99 99 A0 00 00 00" },
        { "LineCH",
          { { K::Float, "LineCH", 0.5 } },
          "01 01 01 01 64 5F 4C 69 6E 65 43 48 00 00 00 00 3F E0 00 00 00 00 00 00" },
        { "int32", { { K::Int32, "Steps", 7 } }, "01 01 01 01 6C 5F 53 74 65 70 73 00 00 00 00 07" },
        { "Boolean", { { K::Bool, "On", 1 } }, "01 01 01 01 6C 5F 4F 6E 00 00 00 00 00 00 00 01" },
        { "double, identifier of 5",
          { { K::Double, "Finer", 1.0 } },
          "01 01 01 01 64 5F 46 69 6E 65 72 00 3F F0 00 00 00 00 00 00" },
    };
    for (const auto& row : rows)
    {
        auto& effect = *makeEffect (row.specs);
        int32_t version = 0;
        std::string name;
        EXPECT_EQ (Save (effect, &version, &name), Hex (row.data)) << row.name;
        EXPECT_EQ (version, -1) << row.name; // FF FF FF FF
        EXPECT_EQ (name, "Complete Controls State"s + std::string (9, '\0')) << row.name;
    }
}

TEST (ChunkDataParser, WritesStringsAndReadsEveryKindBack)
{
    AAX_CChunkDataParser parser;
    parser.AddString ("Nm", AAX_CString ("abc"));
    parser.AddDouble ("D", -0.0);
    parser.AddDouble ("N", std::numeric_limits<double>::quiet_NaN());
    parser.AddInt32 ("I", std::numeric_limits<int32_t>::min());
    parser.AddString ("Empty", AAX_CString (""));
    ChunkRecord record (static_cast<size_t> (parser.GetChunkDataSize()));
    ASSERT_EQ (parser.GetChunkData (record.get()), AAX_SUCCESS);
    const auto data = record.data();
    EXPECT_EQ (std::vector<uint8_t> (data.begin() + 4, data.begin() + 16),
               Hex ("72 5F 4E 6D 00 00 00 00 61 62 63 00"));

    AAX_CChunkDataParser reader;
    reader.LoadChunk (record.get());
    ASSERT_EQ (reader.GetNumEntries(), parser.GetNumEntries());
    for (size_t i = 0; i < parser.GetNumEntries(); ++i)
    {
        EXPECT_EQ (reader.GetEntry (i).mDataType, parser.GetEntry (i).mDataType) << i;
        EXPECT_EQ (reader.GetEntry (i).mDataName, parser.GetEntry (i).mDataName) << i;
        EXPECT_EQ (reader.GetEntry (i).mValue, parser.GetEntry (i).mValue) << i;
        EXPECT_EQ (reader.GetEntry (i).mStringValue, parser.GetEntry (i).mStringValue) << i;
    }

    // The search goes on after the last entry found and wraps; a match of another kind fails.
    double d = 1.0;
    int32_t n = 0;
    AAX_CString s;
    EXPECT_TRUE (reader.FindInt32 ("I", &n));
    EXPECT_EQ (n, std::numeric_limits<int32_t>::min());
    EXPECT_TRUE (reader.FindDouble ("D", &d));
    EXPECT_TRUE (std::signbit (d));
    EXPECT_TRUE (reader.FindString ("Nm", &s));
    EXPECT_EQ (s, AAX_CString ("abc"));
    EXPECT_FALSE (reader.FindDouble ("Nm", &d));
    EXPECT_FALSE (reader.FindInt32 ("nm", &n));
}

// Malformed chunks, each in a record of exactly 56 + size bytes: what is read, and that restoring
// and comparing neither crash nor apply what cannot be trusted.
TEST_F (ParameterChunk, ReadsHostileChunksWithinTheirSize)
{
    struct Row
    {
        const char* name;
        std::vector<uint8_t> data;
        std::vector<std::string> entries; // "<type>:<name>"
    };
    const auto gain = Raw ("d_Gain\0\0"s);
    const std::vector<Row> rows = {
        { "size below 5", marker, {} },
        { "bad marker", Join (Hex ("01 01 01 02"), Join (gain, Hex ("3F E0 00 00 00 00 00 00"))), {} },
        { "unknown tag",
          Join (marker, Join (Raw ("x_Odd\0\0\0"s), Join (gain, Hex ("3F E0 00 00 00 00 00 00")))),
          { "0:Odd", "3:Gain" } },
        { "truncated value",
          Join (marker, Join (Raw ("l_On\0\0\0\0\0\0\0\1"s), Join (gain, Hex ("3F E0 00 00")))),
          { "2:On" } },
        { "name without zero", Join (marker, Raw ("d_Gai"s)), {} },
        { "string without zero", Join (marker, Raw ("r_Nm\0\0\0\0abc"s)), {} },
        { "name shorter than its tag", Join (marker, Raw ("d\0\0\0\1\2\3\4\5\6\7\x08"s)), { "3:" } },
        { "16-bit and float", Join (marker, Raw ("s_S\0\xFF\xFE\0\0f_F\0\x3F\x80\0\0"s)), { "4:S", "1:F" } },
    };
    auto& effect = *makeEffect ({ { K::Float, "Gain", 0.25 } });
    for (const auto& row : rows)
    {
        const auto record = ChunkRecord::holding (row.data);
        AAX_CChunkDataParser parser;
        parser.LoadChunk (record.get());
        std::vector<std::string> entries;
        for (size_t i = 0; i < parser.GetNumEntries(); ++i)
            entries.push_back (std::to_string (parser.GetEntry (i).mDataType) + ":" +
                               parser.GetEntry (i).mDataName.Get());
        EXPECT_EQ (entries, row.entries) << row.name;

        EXPECT_EQ (effect.SetChunk (elck, record.get()), AAX_SUCCESS) << row.name;
        AAX_CBoolean equal = 7;
        EXPECT_EQ (effect.CompareActiveChunk (record.get(), &equal), AAX_SUCCESS) << row.name;
        EXPECT_EQ (equal, 0) << row.name; // no row holds Gain at 0.25
    }
    // Only the unknown-tag row carries a whole "d_" entry for Gain; the truncated one is dropped.
    const auto requests = instances.back()->automation().takeSetValueRequests();
    ASSERT_EQ (requests.size(), 1u);
    EXPECT_EQ (requests[0].value, 0.5);

    // A chunk of zeros after the marker holds an empty entry every four bytes: reading stops at
    // the cap instead of exhausting memory.
    ChunkRecord zeros (8 << 20);
    std::memcpy (zeros.get()->fData, marker.data(), marker.size());
    zeros.get()->fChunkID = elck;
    AAX_CChunkDataParser parser;
    parser.LoadChunk (zeros.get());
    EXPECT_EQ (parser.GetNumEntries(), AAX_CChunkDataParser::kMaxEntries);
    AAX_CBoolean equal = 7;
    EXPECT_EQ (effect.SetChunk (elck, zeros.get()), AAX_SUCCESS);
    EXPECT_EQ (effect.CompareActiveChunk (zeros.get(), &equal), AAX_SUCCESS);
    EXPECT_EQ (equal, 0);
}

TEST_F (ParameterChunk, SkipsNaNAndClampsHugeAndInfiniteEntries)
{
    auto& effect = *makeEffect (
        { { K::Float, "A", 0.5 }, { K::Float, "B", 0.5 }, { K::Double, "C", 0.5 }, { K::Float, "D", 0.5 } });
    const auto entry = [] (const char* name, const char* bits) { return Entry ("d_", name, bits); };
    const auto data = Join (marker, Join (Join (entry ("A", "7F F8 00 00 00 00 00 00"),    // NaN
                                                entry ("B", "7E 37 E4 3C 88 00 75 9C")),   // 1e300
                                          Join (entry ("C", "FF F0 00 00 00 00 00 00"),    // -inf
                                                entry ("D", "7F F0 00 00 00 00 00 00")))); // +inf
    const auto record = ChunkRecord::holding (data);
    EXPECT_EQ (effect.SetChunk (elck, record.get()), AAX_SUCCESS);
    const auto requests = instances.back()->automation().takeSetValueRequests();
    ASSERT_EQ (requests.size(), 3u); // A untouched; the others at the ends of their ranges
    EXPECT_STREQ (requests[0].parameterID, "B");
    EXPECT_EQ (requests[0].value, 1.0);
    EXPECT_STREQ (requests[1].parameterID, "C");
    EXPECT_EQ (requests[1].value, 0.0);
    EXPECT_STREQ (requests[2].parameterID, "D");
    EXPECT_EQ (requests[2].value, 1.0);
    AAX_CBoolean equal = 7;
    EXPECT_EQ (effect.CompareActiveChunk (record.get(), &equal), AAX_SUCCESS);
    EXPECT_EQ (equal, 0);

    // A parameter that would take any value still sees neither a NaN nor an infinity.
    std::vector<double> seen;
    effect.manager().RemoveAllParameters();
    effect.manager().AddParameter (new RecordingParameter<float> ("A", seen));
    effect.manager().AddParameter (new RecordingParameter<float> ("B", seen));
    effect.manager().AddParameter (new RecordingParameter<double> ("C", seen));
    effect.manager().AddParameter (new RecordingParameter<float> ("D", seen));
    EXPECT_EQ (effect.SetChunk (elck, record.get()), AAX_SUCCESS);
    EXPECT_EQ (seen, std::vector<double> ({ double (FLT_MAX), -DBL_MAX, double (FLT_MAX) }));
}

// The whole road: saved by one instance, restored into another through the host's replay of the
// set-value requests, saved again byte for byte.
TEST_F (ParameterChunk, RestoredInstanceSavesTheSameBytes)
{
    auto& source = *makeEffect();
    HostInstance& sourceHost = *instances.back();
    const std::vector<std::pair<const char*, double>> edits = { { "MixLow", 0.3 },
                                                                { "State", 7.0 / 11.0 },
                                                                { "LineCH", 0.123456789 } };
    for (const auto& [id, value] : edits)
        EXPECT_EQ (source.SetParameterNormalizedValue (id, value), AAX_SUCCESS);
    EXPECT_EQ (sourceHost.replaySetValueRequests (source), 3);
    const auto saved = Save (source);
    // The marker, 17 values of 8 bytes, and the tagged names padded: 8 for Power and State, 12 for
    // the other 15.
    EXPECT_EQ (saved.size(), 4u + 17u * 8u + 2u * 8u + 15u * 12u);

    auto& target = *makeEffect();
    const auto record = ChunkRecord::holding (saved);
    AAX_CBoolean equal = 7;
    EXPECT_EQ (target.CompareActiveChunk (record.get(), &equal), AAX_SUCCESS);
    EXPECT_EQ (equal, 0);
    EXPECT_EQ (target.SetChunk (elck, record.get()), AAX_SUCCESS);
    EXPECT_EQ (instances.back()->replaySetValueRequests (target), 17);
    EXPECT_EQ (target.CompareActiveChunk (record.get(), &equal), AAX_SUCCESS);
    EXPECT_EQ (equal, 1);
    EXPECT_EQ (Save (target), saved);

    // The bypass is never saved, and a chunk of another identifier compares equal.
    EXPECT_EQ (std::string (saved.begin(), saved.end()).find ("Bypass"), std::string::npos);
    auto other = ChunkRecord::holding (saved, 0x6A756365);
    EXPECT_EQ (target.CompareActiveChunk (other.get(), &equal), AAX_SUCCESS);
    EXPECT_EQ (equal, 1);
}

TEST_F (ParameterChunk, ComparesAndRestoresEntryByEntry)
{
    auto& effect = *makeEffect ({ { K::Float, "F", 0.5 }, { K::Double, "D", 0.25 }, { K::Bool, "B", 1 } });
    const auto d = [] (const char* name, const char* bits) { return Entry ("d_", name, bits); };
    const auto l = [] (const char* name, const char* bits) { return Entry ("l_", name, bits); };
    const auto f = [] (const char* name, const char* bits) { return Entry ("f_", name, bits); };
    struct Row
    {
        const char* name;
        std::vector<uint8_t> data;
        AAX_CBoolean equal;
        size_t requests; // set-value requests SetChunk posts
    };
    const char* nearQuarter = "3F D0 00 00 00 00 46 5E"; // 0.25 + 1e-12
    const std::vector<Row> rows = {
        { "all equal",
          Join (marker, Join (d ("F", "3F E0 00 00 00 00 00 00"),
                              Join (d ("D", "3F D0 00 00 00 00 00 00"), l ("B", "00 00 00 05")))),
          1, 3 },
        { "double beyond single precision",
          Join (marker, Join (d ("F", "3F E0 00 00 00 00 00 00"),
                              Join (d ("D", nearQuarter), l ("B", "00 00 00 01")))),
          1, 3 },
        { "missing entry", Join (marker, Join (d ("F", "3F E0 00 00 00 00 00 00"), l ("B", "00 00 00 01"))),
          0, 2 },
        { "float entry not used",
          Join (marker, Join (f ("F", "3E 80 00 00"),
                              Join (d ("D", "3F D0 00 00 00 00 00 00"), l ("B", "00 00 00 01")))),
          0, 2 },
        { "entry of another kind",
          Join (marker, Join (d ("F", "3F E0 00 00 00 00 00 00"),
                              Join (d ("D", "3F D0 00 00 00 00 00 00"), d ("B", "3F F0 00 00 00 00 00 00")))),
          0, 2 },
        { "unequal value",
          Join (marker, Join (d ("F", "3F E8 00 00 00 00 00 00"),
                              Join (d ("D", "3F D0 00 00 00 00 00 00"), l ("B", "00 00 00 01")))),
          0, 3 },
    };
    for (const auto& row : rows)
    {
        const auto record = ChunkRecord::holding (row.data);
        AAX_CBoolean equal = 7;
        EXPECT_EQ (effect.CompareActiveChunk (record.get(), &equal), AAX_SUCCESS) << row.name;
        EXPECT_EQ (equal, row.equal) << row.name;
        EXPECT_EQ (effect.SetChunk (elck, record.get()), AAX_SUCCESS) << row.name;
        EXPECT_EQ (instances.back()->automation().takeSetValueRequests().size(), row.requests) << row.name;
    }
}

TEST_F (ParameterChunk, HostCallsOutOfOrderOrWithBadArguments)
{
    auto& effect = *makeEffect();
    auto record = ChunkRecord::holding (Join (marker, std::vector<uint8_t> (252)));
    uint32_t size = 99;
    AAX_CTypeID id = 99;
    EXPECT_EQ (effect.GetChunk (elck, record.get()), AAX_ERROR_INCORRECT_CHUNK_SIZE); // no GetChunkSize yet
    EXPECT_EQ (record.get()->fSize, 256);
    EXPECT_EQ (effect.GetChunkSize (0x6A756365, &size), AAX_ERROR_INVALID_CHUNK_ID);
    EXPECT_EQ (size, 0u);
    EXPECT_EQ (effect.GetChunk (0x6A756365, record.get()), AAX_ERROR_INVALID_CHUNK_ID);
    EXPECT_EQ (effect.SetChunk (0x6A756365, record.get()), AAX_ERROR_INVALID_CHUNK_ID);
    EXPECT_EQ (effect.GetChunkIDFromIndex (0, &id), AAX_SUCCESS);
    EXPECT_EQ (id, elck);
    EXPECT_EQ (effect.GetChunkIDFromIndex (1, &id), AAX_ERROR_INVALID_CHUNK_INDEX);
    EXPECT_EQ (id, 0u);

    AAX_CBoolean equal = 7;
    const std::vector<std::pair<const char*, AAX_Result>> nulls = {
        { "GetChunkSize", effect.GetChunkSize (elck, nullptr) },
        { "GetChunk", effect.GetChunk (elck, nullptr) },
        { "SetChunk", effect.SetChunk (elck, nullptr) },
        { "CompareActiveChunk chunk", effect.CompareActiveChunk (nullptr, &equal) },
        { "CompareActiveChunk flag", effect.CompareActiveChunk (record.get(), nullptr) },
        { "GetChunkIDFromIndex", effect.GetChunkIDFromIndex (0, nullptr) },
        { "GetNumberOfChunks", effect.GetNumberOfChunks (nullptr) },
        { "ResetFieldData", effect.ResetFieldData (0, nullptr, 16) },
    };
    for (const auto& [name, result] : nulls)
        EXPECT_EQ (result, AAX_ERROR_NULL_OBJECT) << name;
    EXPECT_EQ (equal, 7);

    // A parameter the object counts but does not have is reported and skipped.
    const auto saved = ChunkRecord::holding (Save (effect));
    effect.phantomParameters = 1;
    StartServices();
    EXPECT_EQ (effect.GetChunkSize (elck, &size), AAX_SUCCESS);
    EXPECT_EQ (effect.SetChunk (elck, saved.get()), AAX_SUCCESS);
    EXPECT_EQ (effect.CompareActiveChunk (saved.get(), &equal), AAX_SUCCESS);
    EXPECT_EQ (equal, 1);
    const auto reports = host.assertions();
    ASSERT_EQ (reports.size(), 2u); // building and comparing report, restoring does not
    EXPECT_EQ (reports[0].line, 815);
    EXPECT_EQ (reports[1].line, 667);
    for (const auto& report : reports)
    {
        EXPECT_EQ (report.note, "NULL != parameter");
        EXPECT_EQ (report.flags, 1);
        EXPECT_NE (report.file.find ("AAX_CEffectParameters.cpp"), std::string::npos) << report.file;
    }
}
