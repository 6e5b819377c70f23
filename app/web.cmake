# The game in the browser: its page is made with the web host (platform/web).
