#include "panel/UserGenerator.h"

#include "panel/GeneratorLoadReport.h"

namespace velmora2 {

int LoadUserGenerator(const EngineHandle& engine, const GeneratorSignal& signal,
                      const std::string& playwav) {
    if (PlaysOwnSignal(signal)) return engine.Ask(&CDSCapture::SetGeneratorSignal, 0, signal);
    return engine.Ask(&CDSCapture::SetGeneratorFile, 0, playwav);
}

void ReportUserGeneratorLoad(DialogServices& services, const GeneratorSignal& signal,
                             const std::string& playwav, int result) {
    ReportGeneratorLoad(services, PlaysOwnSignal(signal) ? "The generator's signal" : playwav,
                        result);
}

}  // namespace velmora2
