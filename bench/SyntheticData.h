// What the benchmark data generators write: a clock in the meter's date and time format, and one
// installation (a three-phase motor feeder and a single-phase lighting circuit) measured 50 times a
// second. Everything comes from fixed seeds, so a generator's output depends only on its size.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>

#include "convert/ValueText.h"

namespace voltaro::bench {

// Values per record of wiring 3P3W+1P3W with one load: the 3P3W block 14, DC1 and DC2, the 1P3W
// block 11.
inline constexpr std::size_t kValueCount = 27;
inline constexpr int kRecordsPerSecond = 50;  // one record per wave at 50 Hz

// Small, fast and identical everywhere, unlike the standard distributions.
class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    // Uniform in [-1, 1).
    double symmetric() { return 2.0 * unit() - 1.0; }

private:
    std::uint64_t state_;
};

// A civil date and time that advances one second at a time.
struct Clock {
    int year = 2024, month = 3, day = 15, hour = 8, minute = 0, second = 0;

    static int daysIn(int y, int m) {
        static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
        return m == 2 && leap ? 29 : days[m - 1];
    }
    void tick() {
        if (++second < 60) return;
        second = 0;
        if (++minute < 60) return;
        minute = 0;
        if (++hour < 24) return;
        hour = 0;
        if (++day <= daysIn(year, month)) return;
        day = 1;
        if (++month <= 12) return;
        month = 1;
        year = year < 9999 ? year + 1 : 1000;
    }
};

inline constexpr std::size_t kDateTimeBytes = 20;

inline void putDigits(unsigned char* out, unsigned value, int width) {
    for (int i = width - 1; i >= 0; --i) {
        out[i] = static_cast<unsigned char>('0' + value % 10);
        value /= 10;
    }
}

// "YYYY/MM/DD,hh:mm:ss,"
inline void putDateTime(unsigned char* out, const Clock& c) {
    putDigits(out + 0, static_cast<unsigned>(c.year), 4);
    out[4] = '/';
    putDigits(out + 5, static_cast<unsigned>(c.month), 2);
    out[7] = '/';
    putDigits(out + 8, static_cast<unsigned>(c.day), 2);
    out[10] = ',';
    putDigits(out + 11, static_cast<unsigned>(c.hour), 2);
    out[13] = ':';
    putDigits(out + 14, static_cast<unsigned>(c.minute), 2);
    out[16] = ':';
    putDigits(out + 17, static_cast<unsigned>(c.second), 2);
    out[19] = ',';
}

// Quantities that drift slowly from record to record, so that neighbouring rows look like one
// installation measured over time: a three-phase motor feeder and a single-phase lighting circuit.
// Values are in the record's order; over-range and no-data values carry the meter's markers.
class Installation {
public:
    using Values = std::array<float, kValueCount>;

    explicit Installation(std::uint64_t seed) : rng_(seed) {}

    void fill(Values& v) {
        drift();
        std::size_t k = 0;
        const double f = 50.0 + 0.04 * rng_.symmetric();

        // Three-phase, three-wire: line voltages around 200 V.
        const double u1 = 200.0 * uScale_ + 0.8 * rng_.symmetric();
        const double u2 = 200.5 * uScale_ + 0.8 * rng_.symmetric();
        const double u3 = 199.2 * uScale_ + 0.8 * rng_.symmetric();
        const double uAve = (u1 + u2 + u3) / 3.0;
        const double motorAmps = std::exp(motorLog_) + inrushAmps_;
        const double i1 = current(motorAmps, 1.00);
        const double i2 = current(motorAmps, 1.03);
        const double i3 = current(motorAmps, 0.97);
        const double iAve = (i1 + i2 + i3) / 3.0;
        const double angle3 = motorAngle_ + (regenerating_ ? 180.0 : 0.0) + 0.5 * rng_.symmetric();
        const double s3 = std::numbers::sqrt3 * uAve * iAve;
        for (double x : {u1, u2, u3, uAve, i1, i2, i3, iAve}) v[k++] = static_cast<float>(x);
        k = putPower(v, k, s3, angle3);
        v[k++] = static_cast<float>(f);

        // DC inputs: a sensor signal of a few volts either side of zero, and a small offset.
        v[k++] = static_cast<float>(dc1_ + 0.01 * rng_.symmetric());
        v[k++] = static_cast<float>(0.002 * rng_.symmetric());

        // Single-phase, three-wire: 100 V each side, switched off now and then.
        const double ua = 101.5 * uScale_ + 0.5 * rng_.symmetric();
        const double ub = 102.1 * uScale_ + 0.5 * rng_.symmetric();
        const double uAve1 = (ua + ub) / 2.0;
        const double lightAmps = std::exp(lightLog_);
        const double ia = lightsOn_ ? current(lightAmps, 1.00) : 0.0;
        const double ib = lightsOn_ ? current(lightAmps, 0.85) : 0.0;
        const double iAve1 = (ia + ib) / 2.0;
        const double s1 = ua * ia + ub * ib;
        for (double x : {ua, ub, uAve1, ia, ib, iAve1}) v[k++] = static_cast<float>(x);
        k = putPower(v, k, s1, lightAngle_ + 1.0 * rng_.symmetric());

        mark(v);
    }

private:
    void drift() {
        // The motor idles, runs or runs loaded; each start draws an inrush that decays within a
        // fraction of a second and briefly drives the current past its 200 A range.
        static constexpr double kTargetAmps[] = {1.2, 40.0, 150.0};
        static constexpr double kTargetDegrees[] = {78.0, 32.0, 22.0};
        if (rng_.unit() < 1.0 / 15000.0) {
            const int next = (motorState_ + 1 + static_cast<int>(rng_.unit() * 2.0)) % 3;
            if (motorState_ == 0) inrushAmps_ = 6.0 * kTargetAmps[next];
            motorState_ = next;
            if (next == 0) regenerating_ = false;
        }
        inrushAmps_ = inrushAmps_ > 0.01 ? inrushAmps_ * 0.93 : 0.0;
        // Log-scale walks keep the currents positive while they span several decades.
        motorLog_ += 0.002 * (std::log(kTargetAmps[motorState_]) - motorLog_) + 0.003 * rng_.symmetric();
        motorAngle_ += 0.002 * (kTargetDegrees[motorState_] - motorAngle_) + 0.05 * rng_.symmetric();
        // A running motor now and then regenerates and the power flows back.
        if (motorState_ != 0 && rng_.unit() < 1.0 / 20000.0) regenerating_ = !regenerating_;

        lightLog_ = std::clamp(lightLog_ + 0.003 * rng_.symmetric(), std::log(0.05), std::log(60.0));
        // The lighting circuit is slightly capacitive or inductive, mostly on, with off spells of
        // about a minute and a half.
        lightAngle_ = std::clamp(lightAngle_ + 0.05 * rng_.symmetric(), -25.0, 25.0);
        if (rng_.unit() < (lightsOn_ ? 1.0 / 20000.0 : 1.0 / 4000.0)) lightsOn_ = !lightsOn_;

        uScale_ = std::clamp(uScale_ + 0.0002 * rng_.symmetric(), 0.93, 1.07);
        dc1_ = std::clamp(dc1_ + 0.01 * rng_.symmetric(), -9.5, 9.5);
    }

    double current(double base, double share) { return base * share * (1.0 + 0.01 * rng_.symmetric()); }

    // P, Q, S, PF and phase angle in degrees (-180..180] for an apparent power and an angle.
    static std::size_t putPower(Values& v, std::size_t k, double s, double degrees) {
        while (degrees > 180.0) degrees -= 360.0;
        while (degrees <= -180.0) degrees += 360.0;
        const double radians = degrees * std::numbers::pi / 180.0;
        const double pf = s > 0.0 ? std::cos(radians) : 0.0;
        // Adding 0.0 turns the -0 of a dead circuit into the +0 the meter stores.
        v[k++] = static_cast<float>(s * std::cos(radians) + 0.0);
        v[k++] = static_cast<float>(s * std::sin(radians) + 0.0);
        v[k++] = static_cast<float>(s);
        v[k++] = static_cast<float>(pf);
        v[k++] = static_cast<float>(s > 0.0 ? degrees : 0.0);
        return k;
    }

    // Currents above their range read as over range; a few values are missing or clipped.
    void mark(Values& v) {
        constexpr std::size_t motorCurrents[] = {4, 5, 6};
        for (std::size_t i : motorCurrents)
            if (v[i] > 200.0f) v[i] = std::bit_cast<float>(kOverRangeBits);
        for (float& x : v) {
            const double r = rng_.unit();
            if (r < 1.0 / 4000.0)
                x = std::bit_cast<float>(kOverRangeBits);
            else if (r < 1.0 / 4000.0 + 1.0 / 3000.0)
                x = std::bit_cast<float>(kNoDataBits);
        }
    }

    SplitMix64 rng_;
    int motorState_ = 1;
    double motorLog_ = std::log(40.0), inrushAmps_ = 0.0, motorAngle_ = 32.0;
    double lightLog_ = std::log(8.0), lightAngle_ = 5.0;
    double uScale_ = 1.0, dc1_ = 2.5;
    bool regenerating_ = false, lightsOn_ = true;
};

// The seed of the installation every generator measures.
inline constexpr std::uint64_t kInstallationSeed = 0x5EED'2024'0315ULL;

}  // namespace voltaro::bench
