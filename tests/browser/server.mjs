// Starts `brenvik serve` on a free loopback port for the browser tests and the screenshot,
// and stops it by its process.
import { spawn } from 'node:child_process';
import { once } from 'node:events';

// The camera at 10 frames/s, a pace the board keeps up with in the sanitizer build too.
export async function startServer(board) {
  const server = spawn(process.env.BRENVIK_TOOL,
                       ['--board', String(board), 'play', 'simboard:picture_period_us=100000',
                        'then', 'serve', '--port', '0'],
                       { stdio: ['ignore', 'pipe', 'inherit'] });
  let output = '';
  for await (const chunk of server.stdout) {
    output += chunk;
    const found = output.match(/http:\/\/127\.0\.0\.1:\d+\//);
    if (found) return { server, url: found[0] };
  }
  throw new Error(`the server did not start: ${output}`);
}

export async function stopServer(server) {
  if (!server || server.exitCode !== null) return;
  server.kill();
  await once(server, 'exit');
}
