#include "AAX_CPacketDispatcher.h"
#include "AAX_VController.h"
#include "InstanceHostOfferings.h"
#include "PacketTestObjects.h"

#include <map>
#include <memory>
#include <stdexcept>

using namespace kalvo::aaxhost;
using namespace kalvo::aaxhost::testing;
using kalvo::aaxtest::ManagerEffectParameters;

namespace
{
using Bytes = std::vector<uint8_t>;

/** A dispatcher wired to the stand-in host's controller and to a parameter set of its own. */
class PacketDispatch : public FullHostTest
{
protected:
    void SetUp() override { dispatcher.Initialize (controller.get(), &effect); }

    void TearDown() override
    {
        dispatcher.Initialize (nullptr, nullptr);
        controller.reset(); // gives its host references back before the balance is checked
        FullHostTest::TearDown();
    }

    std::vector<HostController::PostedPacket> posted() { return instance.controller().packets(); }

public:
    // Handlers with a result chosen by the test, counting their calls.
    AAX_Result succeed (AAX_CParamID, AAX_CPacket& packet)
    {
        ++calls;
        *packet.GetPtr<int32_t>() = 7;
        return AAX_SUCCESS;
    }
    AAX_Result fail (AAX_CPacket&)
    {
        ++calls;
        return AAX_ERROR_INVALID_ARGUMENT;
    }
    AAX_Result throwing (AAX_CPacket&) { throw std::runtime_error ("handler failed"); }
    AAX_Result nested (AAX_CParamID, AAX_CPacket& packet)
    {
        ++calls;
        nestedResult = dispatcher.SetDirty ("Other", true); // same thread, lock already held
        *packet.GetPtr<int32_t>() = 1;
        return AAX_SUCCESS;
    }

    ManagerEffectParameters effect;
    std::unique_ptr<AAX_VController> controller = std::make_unique<AAX_VController> (instance.identity());
    AAX_CPacketDispatcher dispatcher;
    int calls = 0;
    AAX_Result nestedResult = -1;
};
} // namespace

TEST_F (PacketDispatch, TwoIdentifiersOnOnePortPostOnePacketOnce)
{
    const AAX_CPacketHandler<PacketDispatch> handler (this, &PacketDispatch::succeed);
    EXPECT_EQ (dispatcher.RegisterPacket ("LowLevel", 3, &handler), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.RegisterPacket ("MidLevel", 3, &handler), AAX_SUCCESS);

    // A new packet starts dirty: the first dispatch posts it although nothing changed.
    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);
    ASSERT_EQ (posted().size(), 1u);
    EXPECT_EQ (posted()[0].port, 3);
    EXPECT_EQ (posted()[0].bytes, Bytes ({ 7, 0, 0, 0 }));
    EXPECT_EQ (calls, 1);

    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS); // nothing dirty: nothing posted
    EXPECT_EQ (posted().size(), 1u);

    EXPECT_EQ (dispatcher.SetDirty ("MidLevel", true), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.SetDirty ("LowLevel", true), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);
    EXPECT_EQ (posted().size(), 2u); // shared packet: the first route clears the flag
    EXPECT_EQ (calls, 2);

    EXPECT_EQ (dispatcher.SetDirty ("lowlevel", true), AAX_SUCCESS); // identifiers match exactly
    EXPECT_EQ (dispatcher.SetDirty ("Unrouted", true), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.SetDirty (nullptr, true), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);
    EXPECT_EQ (posted().size(), 2u);
}

TEST_F (PacketDispatch, SingleValueGeneratorSendsHostByteOrder)
{
    effect.add<float> ("MasterBypassID", 1.0f);
    effect.add<bool> ("Flag", true, false, true);
    effect.add<int32_t> ("State", 5, 0, 11);
    effect.add<double> ("Fine", 0.5);

    EXPECT_EQ (dispatcher.RegisterPacket ("MasterBypassID", 3), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.RegisterPacket ("Flag", 4), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.RegisterPacket ("State", 5), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.RegisterPacket ("Fine", 6), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);

    // Routes run in identifier order: Fine, Flag, MasterBypassID, State.
    const auto packets = posted();
    ASSERT_EQ (packets.size(), 4u);
    EXPECT_EQ (packets[0].port, 6);
    EXPECT_EQ (packets[0].bytes, Bytes ({ 0, 0, 0, 0, 0, 0, 0xE0, 0x3F })); // 0.5 as a double
    EXPECT_EQ (packets[1].port, 4);
    EXPECT_EQ (packets[1].bytes, Bytes ({ 1, 0, 0, 0 }));
    EXPECT_EQ (packets[2].port, 3);
    EXPECT_EQ (packets[2].bytes, Bytes ({ 0x00, 0x00, 0x80, 0x3F })); // 1.0f
    EXPECT_EQ (packets[3].port, 5);
    EXPECT_EQ (packets[3].bytes, Bytes ({ 5, 0, 0, 0 }));

    // A value the host confirms reaches the next packet.
    effect.manager.GetParameterByID ("MasterBypassID")->UpdateNormalizedValue (0.0);
    dispatcher.SetDirty ("MasterBypassID");
    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);
    ASSERT_EQ (posted().size(), 5u);
    EXPECT_EQ (posted()[4].bytes, Bytes ({ 0, 0, 0, 0 }));
}

TEST_F (PacketDispatch, GeneratorWithoutParameterAnswersNullObject)
{
    AAX_CPacket packet (3);
    EXPECT_EQ (dispatcher.GenerateSingleValuePacket ("Missing", packet), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (dispatcher.GenerateSingleValuePacket (nullptr, packet), AAX_ERROR_NULL_OBJECT);
    AAX_CPacketDispatcher unwired;
    EXPECT_EQ (unwired.GenerateSingleValuePacket ("Missing", packet), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (packet.GetSize(), 0u);

    // A route to a missing parameter posts nothing but is cleared.
    EXPECT_EQ (dispatcher.RegisterPacket ("Missing", 2), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);
    EXPECT_TRUE (posted().empty());
}

TEST_F (PacketDispatch, FailingHandlerSkipsPostAndClearsFlag)
{
    const AAX_CPacketHandler<PacketDispatch> failing (this, &PacketDispatch::fail);
    const AAX_CPacketHandler<PacketDispatch> good (this, &PacketDispatch::succeed);
    EXPECT_EQ (dispatcher.RegisterPacket ("A", 1, &failing), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.RegisterPacket ("B", 2, &good), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS); // the failure does not change the result
    ASSERT_EQ (posted().size(), 1u);
    EXPECT_EQ (posted()[0].port, 2);
    EXPECT_EQ (calls, 2);

    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS); // the failed packet's flag was cleared too
    EXPECT_EQ (calls, 2);

    const AAX_CPacketHandler<PacketDispatch> throwing (this, &PacketDispatch::throwing);
    EXPECT_EQ (dispatcher.RegisterPacket ("C", 4, &throwing), AAX_SUCCESS);
    EXPECT_NO_THROW (EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS));
    EXPECT_EQ (posted().size(), 1u);
}

TEST_F (PacketDispatch, NestedSetDirtyFromHandlerDoesNotDeadlock)
{
    const AAX_CPacketHandler<PacketDispatch> nesting (this, &PacketDispatch::nested);
    const AAX_CPacketHandler<PacketDispatch> good (this, &PacketDispatch::succeed);
    EXPECT_EQ (dispatcher.RegisterPacket ("First", 1, &nesting), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.RegisterPacket ("Other", 2, &good), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);
    EXPECT_EQ (nestedResult, AAX_SUCCESS);
    EXPECT_EQ (posted().size(), 2u);

    // The nested call kept the outer lock: "Other" was marked again and went out later in the same pass.
    dispatcher.SetDirty ("First");
    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);
    const auto packets = posted();
    ASSERT_EQ (packets.size(), 4u);
    EXPECT_EQ (packets[2].port, 1);
    EXPECT_EQ (packets[3].port, 2);
}

TEST_F (PacketDispatch, RefusesRoutesWithoutPacketOrHandler)
{
    const AAX_CPacketHandler<PacketDispatch> good (this, &PacketDispatch::succeed);
    EXPECT_EQ (dispatcher.RegisterPacket ("Neg", -1, &good), AAX_ERROR_PORT_ID_OUT_OF_RANGE);
    EXPECT_EQ (dispatcher.RegisterPacket ("Neg", -20, &good), AAX_ERROR_PORT_ID_OUT_OF_RANGE);
    EXPECT_EQ (dispatcher.RegisterPacket ("Neg", -1), AAX_ERROR_PORT_ID_OUT_OF_RANGE);
    EXPECT_EQ (dispatcher.RegisterPacket ("Null", 1, nullptr), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (dispatcher.RegisterPacket (nullptr, 1, &good), AAX_ERROR_NULL_OBJECT);

    // Nothing was stored: marking and dispatching touch no packet.
    EXPECT_EQ (dispatcher.SetDirty ("Neg", true), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);
    EXPECT_TRUE (posted().empty());
    EXPECT_EQ (calls, 0);

    // Port 0 is a valid port.
    EXPECT_EQ (dispatcher.RegisterPacket ("Zero", 0, &good), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);
    EXPECT_EQ (posted().size(), 1u);
}

TEST_F (PacketDispatch, OneIdentifierOnSeveralPorts)
{
    const AAX_CPacketHandler<PacketDispatch> good (this, &PacketDispatch::succeed);
    EXPECT_EQ (dispatcher.RegisterPacket ("Both", 1, &good), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.RegisterPacket ("Both", 2, &good), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);
    const auto packets = posted();
    ASSERT_EQ (packets.size(), 2u);
    EXPECT_EQ (packets[0].port, 1); // registration order within one identifier
    EXPECT_EQ (packets[1].port, 2);
}

TEST_F (PacketDispatch, WithoutControllerNothingIsPosted)
{
    AAX_CPacketDispatcher detached;
    detached.Initialize (nullptr, &effect);
    effect.add<float> ("MasterBypassID", 1.0f);
    EXPECT_EQ (detached.RegisterPacket ("MasterBypassID", 3), AAX_SUCCESS);
    EXPECT_EQ (detached.Dispatch(), AAX_SUCCESS);
    EXPECT_TRUE (posted().empty());
}

TEST (AAX_CPacket, DataStartsAsEightZeroBytesAndResizes)
{
    AAX_CPacket packet (3);
    EXPECT_TRUE (packet.IsDirty());
    EXPECT_EQ (packet.GetSize(), 0u);
    EXPECT_EQ (packet.GetID(), 3);
    const auto* bytes = static_cast<const uint8_t*> (packet.GetPtr());
    EXPECT_EQ (Bytes (bytes, bytes + 8), Bytes (8, 0));

    *packet.GetPtr<double>() = 2.0;
    EXPECT_EQ (packet.GetSize(), 8u);
    *packet.GetPtr<uint8_t>() = 9;
    EXPECT_EQ (packet.GetSize(), 1u);

    AAX_CPacket::SPacketData data;
    EXPECT_THROW (data.Get (0u), std::out_of_range);
}

namespace
{
/** A controller without a host whose PostPacket answers a result chosen per port. */
class ScriptedPostController final : public AAX_VController
{
public:
    ScriptedPostController() : AAX_VController (nullptr) {}

    AAX_Result PostPacket (AAX_CFieldIndex port, const void*, uint32_t) override
    {
        ports.push_back (port);
        const auto it = answers.find (port);
        return it != answers.end() ? it->second : AAX_SUCCESS;
    }

    std::map<AAX_CFieldIndex, AAX_Result> answers;
    std::vector<AAX_CFieldIndex> ports;
};

/** A float parameter that also answers as a bool, to show which kind the generator asks first. */
class FloatAlsoBool final : public AAX_CParameter<float>
{
public:
    FloatAlsoBool (AAX_CParamID id, float value)
        : AAX_CParameter<float> (id, AAX_CString (id), value, AAX_CLinearTaperDelegate<float, 0>(),
                                 AAX_CNumberDisplayDelegate<float, 3>(), true)
    {
    }
    bool GetValueAsBool (bool* value) const override
    {
        *value = true;
        return true;
    }
};

/** A double parameter that also answers as a 32-bit integer. */
class DoubleAlsoInt final : public AAX_CParameter<double>
{
public:
    DoubleAlsoInt (AAX_CParamID id, double value)
        : AAX_CParameter<double> (id, AAX_CString (id), value,
                                  AAX_CLinearTaperDelegate<double, 0> (0.0, 10.0),
                                  AAX_CNumberDisplayDelegate<double, 3>(), true)
    {
    }
    bool GetValueAsInt32 (int32_t* value) const override
    {
        *value = 9;
        return true;
    }
};
} // namespace

TEST (PacketDispatchResult, IsTheAnswerOfTheLastPost)
{
    const std::vector<std::pair<std::pair<AAX_Result, AAX_Result>, AAX_Result>> cases = {
        { { AAX_ERROR_POST_PACKET_FAILED, AAX_SUCCESS }, AAX_SUCCESS },
        { { AAX_SUCCESS, AAX_ERROR_POST_PACKET_FAILED }, AAX_ERROR_POST_PACKET_FAILED },
        { { AAX_ERROR_FIFO_FULL, AAX_ERROR_POST_PACKET_FAILED }, AAX_ERROR_POST_PACKET_FAILED },
    };
    for (const auto& [answers, expected] : cases)
    {
        ManagerEffectParameters effect;
        effect.add<float> ("A", 0.25f);
        effect.add<float> ("B", 0.75f);
        ScriptedPostController controller;
        controller.answers = { { 1, answers.first }, { 2, answers.second } };
        AAX_CPacketDispatcher dispatcher;
        dispatcher.Initialize (&controller, &effect);
        ASSERT_EQ (dispatcher.RegisterPacket ("A", 1), AAX_SUCCESS);
        ASSERT_EQ (dispatcher.RegisterPacket ("B", 2), AAX_SUCCESS);

        // A failed post does not stop the pass: both packets go out, in identifier order.
        EXPECT_EQ (dispatcher.Dispatch(), expected);
        EXPECT_EQ (controller.ports, std::vector<AAX_CFieldIndex> ({ 1, 2 }));
        // Nothing dirty any more: nothing posted, success.
        EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);
        EXPECT_EQ (controller.ports.size(), 2u);
    }
}

TEST (PacketDispatchGenerator, AsksBoolThenFloatThenInt32ThenDouble)
{
    ManagerEffectParameters effect;
    effect.manager.AddParameter (new FloatAlsoBool ("Both", 0.5f));
    effect.manager.AddParameter (new DoubleAlsoInt ("Wide", 2.5));
    AAX_CPacketDispatcher dispatcher;
    dispatcher.Initialize (nullptr, &effect);

    AAX_CPacket packet (3);
    ASSERT_EQ (dispatcher.GenerateSingleValuePacket ("Both", packet), AAX_SUCCESS);
    ASSERT_EQ (packet.GetSize(), 4u);
    const auto* bytes = static_cast<const uint8_t*> (packet.GetPtr());
    EXPECT_EQ (Bytes (bytes, bytes + 4), Bytes ({ 1, 0, 0, 0 })); // the bool, not 0.5f

    ASSERT_EQ (dispatcher.GenerateSingleValuePacket ("Wide", packet), AAX_SUCCESS);
    ASSERT_EQ (packet.GetSize(), 4u);
    bytes = static_cast<const uint8_t*> (packet.GetPtr());
    EXPECT_EQ (Bytes (bytes, bytes + 4), Bytes ({ 9, 0, 0, 0 })); // the integer, not the double
}
