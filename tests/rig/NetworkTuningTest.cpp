// A click on a spot while the radio's frequency is being read: the tuning
// waits for the reading rather than being lost. A radio whose answer can be
// held back stands in for a slow daemon, which Hamlib's dummy never is.
#include "NetworkTuning.h"
#include "TestSupport.h"

#include <thread>

namespace {

class SlowRig : public NetworkRig {
public:
    Outcome tune(double hertz, std::optional<SpotMode>) override {
        tunedTo = hertz;
        return {};
    }
    std::optional<double> frequency() override {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return 7012000.0;
    }
    std::atomic<double> tunedTo = 0;
};

} // namespace

TEST(NetworkTuning, AClickDuringAReadingTunesOnceTheReadingIsDone) {
    SilentMessages messages;
    const auto rig = std::make_shared<SlowRig>();
    NetworkTuning tuning(rig, QStringLiteral("rigctld"), QStringLiteral("127.0.0.1:4532"),
                         messages);
    std::optional<double> read;
    tuning.readFrequency([&](std::optional<double> hertz) { read = hertz; });
    tuning.tune({QStringLiteral("14025.0"), QStringLiteral("CW")}, ModeRule::BandPlan);
    EXPECT_EQ(rig->tunedTo, 14025000.0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return read.has_value(); }, 2000));
    EXPECT_EQ(*read, 7012000.0);
}
