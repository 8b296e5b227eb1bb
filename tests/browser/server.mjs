// Starts `brenvik serve` on a free loopback port for the browser tests and the screenshot,
// and stops it by its process.
import { spawn } from 'node:child_process';
import { once } from 'node:events';

export async function startServer(board) {
  const server = spawn(process.env.BRENVIK_TOOL, ['--board', String(board), 'serve', '--port', '0'],
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
