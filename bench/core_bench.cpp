#include <benchmark/benchmark.h>

#include <string>

#include "checkdigits/bank_account.h"
#include "checkdigits/identity.h"
#include "checkdigits/isbn.h"
#include "euro/calculator_engine.h"
#include "ruler/ruler_geometry.h"

namespace minizol {
namespace {

// The engine works out the display and both currency captions on each key; the view only
// receives them, as the window does.
class MirroringView final : public CalculatorView {
  public:
    void ShowDisplay(const CalculatorDisplay& display) override {
        benchmark::DoNotOptimize(display.Captions());
    }
    void SwitchToNextTool() override {}
    void ShowHelp() override {}
};

void BM_CalculatorKey(benchmark::State& state) {
    MirroringView view;
    CalculatorEngine engine(view);
    const std::string keys = "1234.56*7.5\r1000E 3/\x1b";
    std::size_t next = 0;
    for (auto _ : state) {
        engine.KeyPress(static_cast<unsigned char>(keys[next]));
        next = (next + 1) % keys.size();
    }
}
BENCHMARK(BM_CalculatorKey);

void BM_IdentityAnalysis(benchmark::State& state) {
    const char* inputs[] = {"12345678", "X1234567", "B12345674", "Q2826000H"};
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(DisplayIdentityField(inputs[next]));
        next = (next + 1) % std::size(inputs);
    }
}
BENCHMARK(BM_IdentityAnalysis);

void BM_AccountWithIban(benchmark::State& state) {
    const BankFields fields{"2100", "0418", "0200051332"};
    for (auto _ : state) {
        benchmark::DoNotOptimize(UpdateBankAccount(fields, "ES00"));
    }
}
BENCHMARK(BM_AccountWithIban);

void BM_Isbn(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(IsbnCheckDigit("0-306-40615"));
    }
}
BENCHMARK(BM_Isbn);

RulerWindowSize PixelSize(int width, int height) {
    // The outer size adds a frame and a menu bar, as on a desktop.
    return RulerWindowSize::FromPixels(width, height, width + 8, height + 50);
}

// Dragging the border from nothing out to 8000 pixels, 7 pixels a step.
void BM_RulerGrowTo8000(benchmark::State& state) {
    for (auto _ : state) {
        RulerGeometry geometry;
        for (int size = 0; size <= 8000; size += 7) {
            geometry.Resize(PixelSize(size, size));
        }
        benchmark::DoNotOptimize(geometry.ver().size());
    }
}
BENCHMARK(BM_RulerGrowTo8000)->Unit(benchmark::kMillisecond);

void BM_RulerResizeToKnownSize(benchmark::State& state) {
    RulerGeometry geometry;
    geometry.Resize(PixelSize(3000, 2000));
    int step = 0;
    for (auto _ : state) {
        geometry.Resize(PixelSize(600 + step, 400 + step));
        step = (step + 1) % 100;
    }
}
BENCHMARK(BM_RulerResizeToKnownSize);

}  // namespace
}  // namespace minizol
