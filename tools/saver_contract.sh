# Sourced by the tools (stage_scene_files.sh, run_saver.sh, bench_wine.sh):
# the names the two programs share, read from contract/saver_contract.h so
# that a tool follows the programs when they change.
#   CONTRACT_STAGING_FOLDER  C:\tolvin          CONTRACT_RENDERER_CAPTION  the renderer's window
#   CONTRACT_LAKE_BED, CONTRACT_BACKDROP, CONTRACT_SPLASH, CONTRACT_MODEL   the staged files' names
contract_header=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/contract/saver_contract.h

# contract_string NAME: the text of "constexpr char NAME[] = ...;" with the
# folder macro dropped and C's doubled backslashes made single.
contract_string() {
    sed -n "s/^\(#define\|constexpr char\) $1\(\[\] =\)\{0,1\} \([A-Z_]* \)\{0,1\}\"\(.*\)\";\{0,1\}.*/\4/p" "$contract_header" |
        sed 's/\\\\/\\/g; s/^\\//'
}
CONTRACT_STAGING_FOLDER=$(contract_string KESTRINE_STAGING_FOLDER)
CONTRACT_RENDERER_CAPTION=$(contract_string kRendererCaption)
CONTRACT_LAKE_BED=$(contract_string kLakeBedPath)
CONTRACT_BACKDROP=$(contract_string kBackdropPath)
CONTRACT_SPLASH=$(contract_string kSplashPath)
CONTRACT_MODEL=$(contract_string kModelPath)
