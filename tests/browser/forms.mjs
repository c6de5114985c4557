// Fills and sends the forms of the example pages in a real browser and checks what the
// pages show: node forms.mjs BASE_URL PROFILE_DIR SCREENSHOT
// BASE_URL serves examples/cgi; the system's chromium runs headless with a fresh
// profile in PROFILE_DIR. Prints one line per failed check and exits 1 if any failed.
import puppeteer from 'puppeteer-core';

const [base, profile, screenshot] = process.argv.slice(2);
const failures = [];
const check = (what, got, want) => {
  if (got !== want) failures.push(`${what}: got ${JSON.stringify(got)}, want ${JSON.stringify(want)}`);
};
// writewc writes blanks as &nbsp;: the page shows them as no-break spaces.
const text = (page, selector) =>
  page.$eval(selector, (e) => e.textContent.replace(/\u00a0/g, ' '));

// However the test goes, it ends: a hung browser must not hold up the suite.
const deadline = setTimeout(() => {
  console.error('the browser test took longer than 90 seconds');
  process.exit(1);
}, 90000);

const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  headless: true,
  pipe: true,
  userDataDir: profile,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync',
         '--disable-dev-shm-usage'],
});
try {
  const page = await browser.newPage();
  page.setDefaultTimeout(15000);

  // A GET form: the browser encodes the fields into the query string.
  await page.goto(`${base}/search.pas`);
  await page.type('input[name=q]', 'café & "crème" <i>');
  await page.select('select[name=lang]', 'de');
  await Promise.all([page.waitForNavigation(), page.click('button')]);
  check('search: the words shown', await text(page, '#words'), 'café & "crème" <i>');
  check('search: the language', await text(page, '#lang'), 'de');
  check('search: the query string', new URL(page.url()).search,
        '?q=caf%C3%A9+%26+%22cr%C3%A8me%22+%3Ci%3E&lang=de');
  // Written back into value="...", a quote cannot end the attribute.
  check('search: the words in the form',
        await page.$eval('input[name=q]', (e) => e.value.replace(/\u00a0/g, ' ')),
        'café & "crème" <i>');

  // A POST form: markup sent as a message is shown as text and runs nowhere.
  const attack = "<script>document.title='x'</script>";
  await page.goto(`${base}/guestbook.pas`);
  await page.type('input[name=msg]', attack);
  await Promise.all([page.waitForNavigation(), page.click('button')]);
  check('guest book: no query string, so the body carried it', new URL(page.url()).search, '');
  check('guest book: the title', await page.title(), 'Guest book');
  check('guest book: the message shown', await text(page, '#signed'), attack);
  check('guest book: scripts on the page', await page.$$eval('script', (s) => s.length), 0);
  await page.screenshot({ path: screenshot, fullPage: true });

  // A cookie the page sets comes back on the next visit, one star longer.
  await page.goto(`${base}/visits.pas`);
  check('visits: the first', await text(page, '#stars'), '*');
  await page.goto(`${base}/visits.pas`);
  check('visits: the second', await text(page, '#stars'), '**');
} catch (error) {
  failures.push(`the browser run failed: ${error.message}`);
} finally {
  await browser.close();
  clearTimeout(deadline);
}
for (const failure of failures) console.log(failure);
process.exit(failures.length === 0 ? 0 : 1);
