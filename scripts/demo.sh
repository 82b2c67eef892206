#!/usr/bin/env bash
# The main job: builds the bundled sample encyclopedia (out/kestrel-bay.kmdb) from an empty one,
# installing the solution into it (LoadMetamodel, CheckInstallation) and importing the sample
# model; draws every diagram of it as SVG into out/ and writes its service roadmap
# (out/kestrel-bay-roadmap.xlsx). Run scripts/setup.sh first.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KM_BUILD_DIR:-$root/build}"
out="${KM_OUT_DIR:-$root/out}"
kmsoa="$build/bin/kmsoa"
ency="$out/kestrel-bay.kmdb"

if [[ ! -x "$kmsoa" ]]; then
    echo "demo: $kmsoa is missing; run scripts/setup.sh first." >&2
    exit 1
fi

mkdir -p "$out"
# The host's own files (matrices, frameworks, settings) of this demo stay beside its output.
export KEMORA_DATA_DIR="${KEMORA_DATA_DIR:-$out/kemora-data}"
export KEMORA_CONFIG_DIR="${KEMORA_CONFIG_DIR:-$out/kemora-config}"
rm -f "$ency" "$ency-wal" "$ency-shm" "$out"/*.svg "$out/kestrel-bay-roadmap.xlsx"
"$kmsoa" new "$ency"

# Install the solution as a user does: LoadMetamodel copies its files into the encyclopedia,
# switches it on and, answered Yes, reopens the encyclopedia and loads the base definitions;
# CheckInstallation merges its matrices and framework into the host's files.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$kmsoa" run "$ency" LoadMetamodel --msgbox yes >/dev/null
if [[ "$("$kmsoa" run "$ency" CheckInstallation)" != "True" ]]; then
    echo "demo: CheckInstallation did not install the solution's matrices and framework." >&2
    exit 1
fi

"$kmsoa" import "$ency" "$root/samples/kestrel-bay.xml"

# Analytics: the health view runs the analytics it lists in "Analytics To Run"; the applications
# of the open service plans are coloured by plan and then framed, one box per plan.
# The samples' reports, templates and analytics that the base definitions hold already are merged.
"$kmsoa" import "$ency" "$root/samples/kestrel-bay-analytics.xml" --merge
"$kmsoa" run "$ency" ExecuteAnalyticsForDiagram --diagram "Kestrel Bay Application Health" --msgbox default >/dev/null
plans=(ComplexQuery "Applications in open service plans" false red Application "Plan" true)
"$kmsoa" run "$ency" "${plans[@]}" --diagram "Kestrel Bay Open Service Plans" --msgbox default >/dev/null
"$kmsoa" run "$ency" "${plans[@]}" true --diagram "Kestrel Bay Open Service Plans" --msgbox default >/dev/null

# Landscapes: the nested landscape is built level by level from the templates its diagram lists
# (then coloured by its analytics); chosen service symbols are filled with their providers, one
# of them only with those a service plan changes; the service hierarchies are completed.
"$kmsoa" import "$ency" "$root/samples/kestrel-bay-landscape.xml" --merge
"$kmsoa" run "$ency" BuildAutoLandscape --diagram "Kestrel Bay Nested Landscape" --msgbox default 2>/dev/null
cat >"$work/providers.answers" <<'ANSWERS'
form frmLAATemplateSelect: select lstObjects "Applications providing a service"; click OK
ANSWERS
cat >"$work/plan.answers" <<'ANSWERS'
form frmLAATemplateSelect: select lstObjects "Providers changed by a service plan"; click OK
form frmLAAFilterSelect: select cboTypes "Project/Service Plan"; select lstObjects "Ledger Retirement"; click OK
ANSWERS
providers=(--diagram "Kestrel Bay Service Providers")
"$kmsoa" run "$ency" BuildLandscape "${providers[@]}" --answers "$work/providers.answers" \
    --select "Customer Profile Management" --select "Route Planning" --select "Vehicle Tracking" \
    --select "Customs Declarations" --select "Invoicing" 2>/dev/null
"$kmsoa" run "$ency" BuildLandscape "${providers[@]}" --select "General Ledger" --answers "$work/plan.answers" 2>/dev/null
"$kmsoa" run "$ency" BuildServiceHierarchies --diagram "Kestrel Bay Service Hierarchy" --msgbox default 2>/dev/null

"$kmsoa" render "$ency" --all -o "$out"

# The service roadmap: quarterly columns from 2025 to the end of 2028.
roadmap_answers="$work/roadmap.answers"
printf 'form frmReportServiceRoadmap: date dtpFromDate 2025-01-01; date dtpToDate 2028-12-31; select cboInterval Quarterly; click cmdOK\n' >"$roadmap_answers"
if ! "$kmsoa" run "$ency" RunReportServiceRoadmap --answers "$roadmap_answers" -o "$out/kestrel-bay-roadmap.xlsx" \
    >/dev/null 2>"$work/roadmap.log"; then
    cat "$work/roadmap.log" >&2
    exit 1
fi
echo "demo: the sample encyclopedia is $ency; its diagrams are the SVG files in $out;"
echo "demo: its service roadmap is $out/kestrel-bay-roadmap.xlsx."
