#include "analysis/compute_sequence.h"

#include "analysis/result_drawing.h"
#include "analysis/resultant.h"
#include "analysis/validation.h"
#include "drawing/load_areas.h"
#include "drawing/raster.h"

namespace kalven {

ComputeRun RunCompute(ProjectData& data, Canvas& canvas, int W, int H, StatusPanels& status)
{
    data.ValidationMessage = ValidateLoadAreas(data);
    if (!data.ValidationMessage.empty())
        return {ComputeOutcome::Refused, data.ValidationMessage};
    const ResultantResults results = ComputeResultant(data);
    if (!AllFinite(results)) {
        data.ValidationMessage = kMsgResultNotFinite;
        return {ComputeOutcome::NotFinite, data.ValidationMessage};
    }

    DrawRaster(canvas, data, W, H, status);
    DrawLoadAreas(canvas, data, W, H);
    StoreResults(data, results);
    DrawResults(canvas, data, W, H);
    if (!results.OnDesktop)
        data.ValidationMessage = kMsgResultantOutside;
    status.setPanelText(1, " ");
    data.Computed = true;
    return {results.OnDesktop ? ComputeOutcome::Computed : ComputeOutcome::OffDesktop, data.ValidationMessage};
}

}  // namespace kalven
