// What the viewer draws of a long series: min/max reduction per pixel column, the view's
// ranges and zoom, and the axes' ticks.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>

#include "plot/AxisTicks.h"
#include "plot/DataRowText.h"
#include "plot/MinMaxReduction.h"
#include "plot/PlotRange.h"

namespace voltaro {
namespace {

constexpr float kGap = NAN;

struct Series {
    std::vector<double> x;
    std::vector<float> y;
};

// Per pixel column of [from, to]: the lowest and highest value of the points in it.
std::map<long, std::pair<double, double>> columnExtremes(const std::vector<double>& x, const std::vector<double>& y,
                                                         double from, double to, int columns) {
    std::map<long, std::pair<double, double>> extremes;
    const double scale = columns / (to - from);  // as the reduction reckons
    for (std::size_t k = 0; k < x.size(); ++k) {
        if (std::isnan(y[k]) || x[k] < from || x[k] > to) continue;
        const long column = std::min<long>(columns - 1, static_cast<long>((x[k] - from) * scale));
        auto [place, added] = extremes.try_emplace(column, y[k], y[k]);
        place->second = {std::min(place->second.first, y[k]), std::max(place->second.second, y[k])};
    }
    return extremes;
}

std::vector<double> xs(const std::vector<PlotPoint>& points) {
    std::vector<double> out;
    for (const PlotPoint& point : points) out.push_back(point.x);
    return out;
}
std::vector<double> ys(const std::vector<PlotPoint>& points) {
    std::vector<double> out;
    for (const PlotPoint& point : points) out.push_back(point.y);
    return out;
}

// A million noisy points with a single spike up and one down: every column keeps its extremes, the
// spikes among them, and no more than four points come out of a column.
TEST(MinMaxReduction, AMillionPointsKeepEveryColumnsPeaksInFewPoints) {
    constexpr std::size_t kPoints = 1'000'000;
    constexpr int kColumns = 800;
    Series series;
    std::mt19937 random(20240315);
    std::normal_distribution<float> noise(230.0f, 2.0f);
    for (std::size_t k = 0; k < kPoints; ++k) series.x.push_back(0.02 * static_cast<double>(k));
    for (std::size_t k = 0; k < kPoints; ++k) series.y.push_back(noise(random));
    series.y[123'457] = 400;
    series.y[876'543] = -50;
    const double from = series.x.front(), to = series.x.back();

    const std::vector<PlotPoint> points = ReduceToColumns(series.x, series.y, from, to, kColumns);
    EXPECT_LE(points.size(), 4u * kColumns);
    const std::vector<double> values(series.y.begin(), series.y.end());
    EXPECT_EQ(columnExtremes(xs(points), ys(points), from, to, kColumns),
              columnExtremes(series.x, values, from, to, kColumns));
    const std::vector<double> reduced = ys(points);
    EXPECT_EQ(*std::max_element(reduced.begin(), reduced.end()), 400);
    EXPECT_EQ(*std::min_element(reduced.begin(), reduced.end()), -50);
    // The first and last points stay, so that the line starts and ends where the series does.
    EXPECT_EQ(points.front().x, series.x.front());
    EXPECT_EQ(points.front().y, series.y.front());
    EXPECT_EQ(points.back().x, series.x.back());
    EXPECT_EQ(points.back().y, series.y.back());
    // The points keep the series' order.
    EXPECT_TRUE(std::is_sorted(points.begin(), points.end(), [](auto& a, auto& b) { return a.x < b.x; }));
}

TEST(MinMaxReduction, FewPointsGapsAndTheEdgesOfTheView) {
    const struct {
        const char* label;
        Series series;
        double from, to;
        int columns;
        std::vector<double> x, y;  // what comes out
    } cases[] = {
        // No more points than columns: as they are, even three in one column.
        {"as they are", {{0, 0.1, 0.2, 5, 9}, {1, 3, 2, 4, 5}}, 0, 9, 5, {0, 0.1, 0.2, 5, 9}, {1, 3, 2, 4, 5}},
        // One more: the middle of three in a column that is neither lowest nor highest goes.
        {"reduced", {{0, 0.1, 0.2, 0.3, 5, 9}, {1, 3, 2, 2.5, 4, 5}}, 0, 9, 5, {0, 0.1, 0.3, 5, 9}, {1, 3, 2.5, 4, 5}},
        {"gaps break the line once",
         {{0, 1, 2, 3, 4, 5}, {1, kGap, kGap, 4, kGap, 6}},
         0,
         5,
         10,
         {0, 1, 3, 4, 5},
         {1, NAN, 4, NAN, 6}},
        // The points just outside whose lines run into the view stay; those further out go.
        {"outside", {{0, 1, 2, 3, 4, 5, 6}, {0, 1, 2, 3, 4, 5, 6}}, 2.5, 3.5, 4, {2, 3, 4}, {2, 3, 4}},
        {"a line across the view", {{0, 1, 10, 11}, {0, 1, 10, 11}}, 4, 6, 4, {1, 10}, {1, 10}},
        {"an empty view", {{0, 1}, {0, 1}}, 1, 1, 4, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const std::vector<PlotPoint> points = ReduceToColumns(c.series.x, c.series.y, c.from, c.to, c.columns);
        EXPECT_EQ(xs(points), c.x);
        std::vector<std::string> got, expected;
        for (const double y : ys(points)) got.push_back(std::isnan(y) ? "gap" : std::to_string(y));
        for (const double y : c.y) expected.push_back(std::isnan(y) ? "gap" : std::to_string(y));
        EXPECT_EQ(got, expected);
    }
}

// The window's test zooms and moves; here the edge cases it does not reach.
TEST(PlotRange, ZoomStopsAtAMillionthAndAFlatLineGetsASpan) {
    const PlotRange whole{10, 30, -1, 3};
    EXPECT_NEAR(ZoomedAround(whole, 20, 1e-9, whole).width(), 20e-6, 1e-12);
    const std::vector<PlotPoint> flat{{0, 7}, {1, NAN}, {2, 7}};
    const PlotRange fitted = WithYFitted(whole, flat);
    EXPECT_DOUBLE_EQ(fitted.yFrom, 7 - 0.05 * 0.7);
    EXPECT_DOUBLE_EQ(fitted.yTo, 7 + 0.05 * 0.7);
    EXPECT_EQ(WithYFitted(whole, {}), whole);
}

TEST(AxisTicks, RoundStepsAndClockTimes) {
    auto labels = [](const std::vector<AxisTick>& ticks) {
        std::vector<std::string> texts;
        for (const AxisTick& tick : ticks) texts.push_back(tick.label);
        return texts;
    };
    using Texts = std::vector<std::string>;
    EXPECT_EQ(labels(NumberTicks(-0.3, 1.05, 7)), (Texts{"-0.2", "0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}));
    EXPECT_EQ(labels(NumberTicks(95, 512, 5)), (Texts{"100", "200", "300", "400", "500"}));
    EXPECT_EQ(labels(NumberTicks(0, 2.5e7, 3)), (Texts{"0", "1e+07", "2e+07"}));
    EXPECT_EQ(NumberTicks(1, 1, 5).size(), 0u);

    const std::int64_t start = *SecondsOfDateTime("2004/01/01", "10:53:07");
    // Ticks fall on round times of the clock, not on round distances from the first row.
    const std::vector<AxisTick> minutes = TimeTicks(0, 400, 5, start);
    EXPECT_EQ(labels(minutes), (Texts{"10:54", "10:56", "10:58"}));
    EXPECT_EQ(minutes.front().value, 53);
    EXPECT_EQ(labels(TimeTicks(0, 3, 4, start)), (Texts{"10:53:07", "10:53:08", "10:53:09", "10:53:10"}));
    EXPECT_EQ(labels(TimeTicks(0.05, 0.35, 4, start)), (Texts{"10:53:07.1", "10:53:07.2", "10:53:07.3"}));
    EXPECT_EQ(labels(TimeTicks(0, 3 * 86400.0, 4, start)), (Texts{"2004/01/02", "2004/01/03", "2004/01/04"}));
}

}  // namespace
}  // namespace voltaro
