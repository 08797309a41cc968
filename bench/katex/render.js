// Times katex.renderToString over the formulas of a file, one LaTeX formula
// per line, as the editor's bench writes them (VEXLOR_BENCH_LATEX).
//
//   NODE_PATH=/path/to/scratch/node_modules node bench/katex/render.js FILE [ROUNDS]
const fs = require('fs');
const katex = require('katex');

const formulas = fs.readFileSync(process.argv[2], 'utf8').split('\n').filter(f => f.length);
const rounds = Number(process.argv[3] || 20);
const render = f => katex.renderToString(f, { throwOnError: false, displayMode: true });
formulas.forEach(render); // warm-up
const perRound = [];
for (let r = 0; r < rounds; ++r) {
    const start = process.hrtime.bigint();
    for (const f of formulas)
        render(f);
    perRound.push(Number(process.hrtime.bigint() - start) / 1e3 / formulas.length);
}
perRound.sort((a, b) => a - b);
console.log(`${formulas.length} formulas, ${rounds} rounds: median ${perRound[rounds >> 1].toFixed(1)} us ` +
            `per formula (fastest ${perRound[0].toFixed(1)}, slowest ${perRound[rounds - 1].toFixed(1)})`);
