#!/usr/bin/env bash
# Rebuilds the installed sample projects through the real creation path:
#  1. builds hesk-sample-inputs and heskmon (build/default);
#  2. writes the intermediate file and the two workbooks of every sample device type and
#     version into data/sample-inputs/<key>/ (<key>.monitorary, PARAM.xlsx, Ubase.xlsx);
#  3. runs "heskmon create" on each and installs the result as
#     data/projects/<code>/<key>/<key>.tmprj;
#  4. shows each project with "heskmon project info" and the size of a few pages.
# The generator is deterministic: running this again reproduces the same files.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset default >/dev/null
cmake --build --preset default -j2 --target hesk-sample-inputs heskmon

bin=build/default
generator=$bin/tools/sample-inputs/hesk-sample-inputs
heskmon=$bin/src/cli/heskmon
inputs=data/sample-inputs
projects=data/projects

"$generator" "$inputs"

spot_pages() {
    case "$1" in
        VRA1) echo "电机数据组 BICO数据组 DP通讯 逆变器并联 自由功能参数" ;;
        PTB) echo "P参数 r参数" ;;
        *) echo "控制字/状态字 DP通讯 装置并联 功率部分定义" ;;
    esac
}

while IFS=$'\t' read -r key code device_type version cpu_type; do
    folder=$inputs/$key
    "$heskmon" create --device "$code" --version "$version" --name "$key" \
        --intermediate "$folder/$key.monitorary" --workbook "$folder/PARAM.xlsx" \
        --ubase "$folder/Ubase.xlsx" --out "$projects/$code" --replace
    project=$projects/$code/$key/$key.tmprj
    "$heskmon" project info "$project"
    for page in $(spot_pages "$code"); do
        "$heskmon" project params "$project" --page "$page" | sed -n 1p
    done
    echo
done < <("$generator" --list)
